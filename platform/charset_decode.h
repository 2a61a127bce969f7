// Text of fetched bytes in the character set their answer names.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Text of bytes in the named character set (any case): the GBK family
// (GBK, GB2312, CP936) through the system's ANSI converter, GB18030 through
// its own converter, every other name the system's converters know by that
// name. Without a name, or with one no converter knows, a UTF-16 or UTF-8
// byte-order mark decides; else UTF-8. A byte that starts no character
// becomes U+FFFD and decoding goes on.
QString decodeCharset(const QByteArray& bytes, const QByteArray& charset);

}  // namespace platform
