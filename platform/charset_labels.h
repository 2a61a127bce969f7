// The charset labels that web pages and answers use, each mapped to the
// encoding it names, as browsers map them.
#pragma once

#include <QByteArrayView>
#include <optional>

namespace platform {

// How the bytes of an encoding become text.
enum class CharsetKind {
    Utf8,
    Utf16LE,
    Utf16BE,
    Gbk,            // the system's ANSI converter
    Iconv,          // iconv, by the name in Charset::iconvName
    UserDefined,    // bytes 80 to FF to U+F780 to U+F7FF
    Replacement,    // a label of an unsafe encoding: the text is one U+FFFD
};

struct Charset {
    const char* name;       // the encoding's own name ("GBK", "UTF-16LE")
    CharsetKind kind;
    const char* iconvName;  // for CharsetKind::Iconv
};

// The encoding a label names, matched without letter case and without the
// blanks around it; no value for a label that names no encoding.
std::optional<Charset> charsetForLabel(QByteArrayView label);

}  // namespace platform
