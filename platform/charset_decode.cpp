#include "platform/charset_decode.h"

#include "platform/text_file.h"

#include <QStringDecoder>
#include <optional>

namespace platform {

namespace {

bool isGbkName(const QByteArray& name)
{
    return name == "gbk" || name == "gb2312" || name == "cp936" || name == "x-gbk" || name == "windows-936";
}

}  // namespace

QString decodeCharset(const QByteArray& bytes, const QByteArray& charset)
{
    const QByteArray name = charset.trimmed().toLower();
    if (isGbkName(name))
        return decodeAnsi(bytes);
    if (name == "gb18030") {
        try {
            return decodeCharsetBytes(bytes, "GB18030");
        } catch (const TextFileError&) {
            return decodeAnsi(bytes);  // no GB18030 converter: its GBK part still reads
        }
    }
    if (name != "utf-8" && name != "utf8") {
        if (!name.isEmpty()) {
            QStringDecoder decoder(name.constData());
            if (decoder.isValid())
                return decoder.decode(bytes);
        }
        if (const std::optional<QString> text = decodeUtf16WithBom(bytes))
            return *text;
    }
    // UTF-8, after its mark when it has one.
    if (startsWithUtf8Bom(bytes))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return QString::fromUtf8(bytes);
}

}  // namespace platform
