#include "platform/text_file.h"

#include "platform/file_reader.h"

#include <QFile>
#include <QStringDecoder>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <string>

namespace platform {

namespace {

// UTF-16 in the order of QString's own code units.
const char* const kUtf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

// What takes the place of a sequence iconv cannot convert, and how many
// input bytes that sequence spans.
struct Replacement {
    const char* bytes;
    qsizetype size;
    size_t skip;
};

// Converts a whole buffer in one pass with one conversion state. At every
// sequence that cannot be converted (also one cut off at the end) onBad gets
// its byte offset and returns its replacement, or throws; the conversion
// then goes on behind it.
template <typename OnBad>
QByteArray convert(const char* to, const char* from, const char* data, size_t size, OnBad onBad)
{
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw TextFileError(std::string(from) + " to " + to + " conversion is not available");
    struct Closer {
        iconv_t cd;
        ~Closer() { iconv_close(cd); }
    } closer{cd};

    // Between GBK and UTF-16 one input byte gives at most two output bytes.
    QByteArray out(qsizetype(size) * 2 + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    qsizetype used = 0;
    const auto room = [&](qsizetype need) {
        if (out.size() - used < need)
            out.resize(std::max(out.size() * 2, used + need));
    };
    // The input goes to iconv a window at a time, so that no call looks at
    // more than a window however often bad sequences interrupt it.
    constexpr size_t kWindow = 64 * 1024;
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        size_t outLeft = size_t(out.size() - used);
        const size_t window = std::min(inLeft, kWindow);
        size_t windowLeft = window;
        const size_t result = iconv(cd, &in, &windowLeft, &outPtr, &outLeft);
        const int error = errno;
        used = outPtr - out.data();
        inLeft -= window - windowLeft;
        if (result != size_t(-1))
            continue;
        if (error == E2BIG) {
            room(out.size());
            continue;
        }
        if (error == EINVAL && windowLeft < inLeft)
            continue;  // a character cut at the window's end: the next window holds it whole
        const Replacement r = onBad(size_t(in - data));
        room(r.size);
        std::memcpy(out.data() + used, r.bytes, size_t(r.size));
        used += r.size;
        const size_t skip = std::min(std::max<size_t>(r.skip, 1), inLeft);
        in += skip;
        inLeft -= skip;
    }
    out.resize(used);
    return out;
}

// Length in code units of the character starting at unit i: 2 for a
// surrogate pair, else 1.
qsizetype charLength(const QString& text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

// GBK bytes of a text; a character GBK cannot hold is passed to onBadChar,
// which throws, or is written as "?".
template <typename OnBadChar>
QByteArray encode(const QString& text, OnBadChar onBadChar)
{
    return convert("CP936", kUtf16, reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2,
                   [&](size_t offset) {
                       const qsizetype i = qsizetype(offset / 2);
                       const qsizetype length = charLength(text, i);
                       onBadChar(text.mid(i, length));
                       return Replacement{"?", 1, size_t(length) * 2};
                   });
}

QByteArray ansiLines(const QStringList& lines, QByteArray (*encodeLine)(const QString&))
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encodeLine(line);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace

QByteArray encodeAnsi(const QString& text)
{
    return encode(text, [](const QString& bad) {
        throw TextFileError(QStringLiteral("字符“%1”无法以GBK编码保存").arg(bad).toStdString());
    });
}

QByteArray encodeAnsiReplacing(const QString& text)
{
    return encode(text, [](const QString&) {});
}

QString decodeAnsi(const QByteArray& bytes)
{
    return decodeCharsetBytes(bytes, "CP936");
}

QString decodeCharsetBytes(const QByteArray& bytes, const char* charset)
{
    static const char16_t replacement = 0xFFFD;
    const QByteArray units = convert(kUtf16, charset, bytes.constData(), size_t(bytes.size()), [](size_t) {
        return Replacement{reinterpret_cast<const char*>(&replacement), 2, 1};
    });
    QString text(units.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), units.constData(), size_t(text.size()) * 2);
    return text;
}

std::optional<QString> decodeUtf8Strictly(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end is an error, not kept for a
    // next call that never comes.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool isValidUtf8(const QByteArray& bytes)
{
    return decodeUtf8Strictly(bytes).has_value();
}

bool startsWithUtf8Bom(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

QString decodeAnsiUnlessUtf8Bom(const QByteArray& bytes)
{
    if (startsWithUtf8Bom(bytes))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return decodeAnsi(bytes);
}

std::optional<QString> decodeUtf16WithBom(const QByteArray& bytes)
{
    QStringConverter::Encoding encoding;
    if (bytes.startsWith("\xFF\xFE"))
        encoding = QStringConverter::Utf16LE;
    else if (bytes.startsWith("\xFE\xFF"))
        encoding = QStringConverter::Utf16BE;
    else
        return std::nullopt;
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes).sliced(2));
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QByteArray ansiLineBytes(const QStringList& lines)
{
    return ansiLines(lines, encodeAnsi);
}

void writeAnsiLines(const QString& path, const QStringList& lines)
{
    writeFileAtomic(path, ansiLineBytes(lines));
}

void writeAnsiLinesReplacing(const QString& path, const QStringList& lines)
{
    writeFileAtomic(path, ansiLines(lines, encodeAnsiReplacing));
}

QByteArray readFileBytes(const QString& path)
{
    return readRegularFile(AT_FDCWD, QFile::encodeName(path), kTextReadCap);
}

QStringList readAnsiLines(const QString& path)
{
    return splitLines(decodeAnsi(readFileBytes(path)));
}

}  // namespace platform
