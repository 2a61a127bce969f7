#include "platform/charset_decode.h"

#include "platform/text_file.h"

#include <QStringDecoder>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <optional>

namespace platform {

namespace {

// UTF-16 in the order of QString's own code units.
const char* const kUtf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

bool isGbkName(const QByteArray& name)
{
    return name == "gbk" || name == "gb2312" || name == "cp936" || name == "x-gbk" || name == "windows-936";
}

}  // namespace

QString decodeGb18030(const QByteArray& bytes)
{
    const iconv_t cd = iconv_open(kUtf16, "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return decodeAnsi(bytes);  // no GB18030 converter: its GBK part still reads
    struct Closer {
        iconv_t cd;
        ~Closer() { iconv_close(cd); }
    } closer{cd};

    // One input byte gives at most one UTF-16 unit (four bytes at most two).
    QString text(bytes.size() + 1, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char* const outStart = reinterpret_cast<char*>(text.data());
    char* out = outStart;
    size_t outLeft = size_t(text.size()) * 2;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;  // E2BIG cannot happen with this much room
        // A byte that starts no character, or a character cut off at the
        // end: U+FFFD, then on from the next byte.
        const char16_t replacement = 0xFFFD;
        std::memcpy(out, &replacement, 2);
        out += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
    }
    text.truncate(qsizetype(out - outStart) / 2);
    return text;
}

QString decodeCharset(const QByteArray& bytes, const QByteArray& charset)
{
    const QByteArray name = charset.trimmed().toLower();
    if (isGbkName(name))
        return decodeAnsi(bytes);
    if (name == "gb18030")
        return decodeGb18030(bytes);
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
