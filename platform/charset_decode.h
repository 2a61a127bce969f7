// Text of fetched bytes in the character set their answer names.
#pragma once

#include "platform/charset_labels.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// Text of bytes in the encoding a charset label names (see charsetForLabel).
// A UTF-8 or UTF-16 byte-order mark goes before any label, as browsers read
// pages; a label that names no encoding reads as UTF-8. A byte that starts no
// character becomes U+FFFD and decoding goes on.
QString decodeCharset(const QByteArray& bytes, const QByteArray& charset);

// Text of bytes that start with a UTF-8 or UTF-16 byte-order mark, read after
// it; no value without one.
std::optional<QString> decodeByMark(const QByteArray& bytes);

// Text of bytes in one encoding, byte-order marks aside.
QString decodeIn(const QByteArray& bytes, const Charset& charset);

}  // namespace platform
