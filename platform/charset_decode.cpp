#include "platform/charset_decode.h"

#include "platform/text_file.h"

#include <QStringDecoder>
#include <optional>

namespace platform {

namespace {

QString decodeUtf16(const QByteArray& bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// Bytes 00 to 7F as ASCII, 80 to FF into the private range U+F780 to U+F7FF.
QString decodeUserDefined(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        text[i] = QChar(b < 0x80 ? char16_t(b) : char16_t(0xF780 + b - 0x80));
    }
    return text;
}

}  // namespace

QString decodeIn(const QByteArray& bytes, const Charset& charset)
{
    switch (charset.kind) {
    case CharsetKind::Utf8: break;
    case CharsetKind::Utf16LE: return decodeUtf16(bytes, QStringConverter::Utf16LE);
    case CharsetKind::Utf16BE: return decodeUtf16(bytes, QStringConverter::Utf16BE);
    case CharsetKind::Gbk: return decodeAnsi(bytes);
    case CharsetKind::UserDefined: return decodeUserDefined(bytes);
    case CharsetKind::Replacement: return bytes.isEmpty() ? QString() : QString(QChar(0xFFFD));
    case CharsetKind::Iconv:
        try {
            return decodeCharsetBytes(bytes, charset.iconvName);
        } catch (const TextFileError&) {
            // No such converter here: GB18030 still reads in its GBK part,
            // anything else as UTF-8.
            if (qstrcmp(charset.iconvName, "GB18030") == 0)
                return decodeAnsi(bytes);
        }
        break;
    }
    return QString::fromUtf8(bytes);
}

std::optional<QString> decodeByMark(const QByteArray& bytes)
{
    if (startsWithUtf8Bom(bytes))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return decodeUtf16WithBom(bytes);
}

QString decodeCharset(const QByteArray& bytes, const QByteArray& charset)
{
    if (const std::optional<QString> text = decodeByMark(bytes))
        return *text;
    if (const std::optional<Charset> named = charsetForLabel(charset))
        return decodeIn(bytes, *named);
    return QString::fromUtf8(bytes);
}

}  // namespace platform
