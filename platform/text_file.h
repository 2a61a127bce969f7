// Text files in the system's ANSI code page: GBK (code page 936) with CR LF
// line ends, as on a Chinese Windows desktop.
#pragma once

#include "platform/atomic_write.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace platform {

// A text file that cannot be read, written or encoded. what() is UTF-8: for
// a failed read or write, the system's description of the error.
class TextFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// GBK bytes of a text; throws TextFileError naming the first character that
// GBK cannot hold (the whole character, also beyond the basic plane).
QByteArray encodeAnsi(const QString& text);

// GBK bytes of a text with "?" for every character GBK cannot hold, as the
// desktop's ANSI conversion writes it.
QByteArray encodeAnsiReplacing(const QString& text);

// Text of GBK bytes, in one pass: a byte that starts no GBK character
// becomes U+FFFD and decoding goes on from the next byte.
QString decodeAnsi(const QByteArray& bytes);

// The same for another charset that iconv knows by that name (such as
// "GB18030"); throws TextFileError when iconv has no such converter.
QString decodeCharsetBytes(const QByteArray& bytes, const char* charset);

// Text of UTF-8 bytes; no value when they are not valid UTF-8.
std::optional<QString> decodeUtf8Strictly(const QByteArray& bytes);
bool isValidUtf8(const QByteArray& bytes);

bool startsWithUtf8Bom(const QByteArray& bytes);

// UTF-8 text after its byte-order mark when the bytes start with one, else GBK.
QString decodeAnsiUnlessUtf8Bom(const QByteArray& bytes);

// UTF-16 text after its byte-order mark (either byte order) when the bytes
// start with one; no value otherwise.
std::optional<QString> decodeUtf16WithBom(const QByteArray& bytes);

// Splits at CR LF, LF or CR. A final line end does not start another line.
QStringList splitLines(const QString& text);

// Each line followed by CR LF, in GBK; throws TextFileError when a line
// cannot be encoded.
QByteArray ansiLineBytes(const QStringList& lines);

// Writes each line followed by CR LF, in GBK, whole or not at all (see
// writeFileAtomic). Throws TextFileError when a line cannot be encoded or
// the file cannot be written.
void writeAnsiLines(const QString& path, const QStringList& lines);

// The same with "?" for the characters GBK cannot hold.
void writeAnsiLinesReplacing(const QString& path, const QStringList& lines);

// Reads a whole regular file of at most kTextReadCap bytes without waiting
// (see openRegularFile); throws TextFileError when it cannot be read.
QByteArray readFileBytes(const QString& path);

// Lines of a GBK text file.
QStringList readAnsiLines(const QString& path);

}  // namespace platform
