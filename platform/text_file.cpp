#include "platform/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// One iconv conversion of a whole buffer; returns false at the first
// sequence that cannot be converted, with its byte offset.
bool convert(const char* to, const char* from, const QByteArray& in, QByteArray& out, qsizetype& badAt)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw TextFileError("GBK conversion is not available");
    out.resize(in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.constData());
    size_t inLeft = size_t(in.size());
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1))
            continue;
        if (errno == E2BIG) {
            const qsizetype used = outPtr - out.data();
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = size_t(out.size() - used);
            continue;
        }
        ok = false;
        badAt = inPtr - in.constData();
        break;
    }
    out.resize(outPtr - out.data());
    iconv_close(cd);
    return ok;
}

}  // namespace

QByteArray encodeAnsi(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    qsizetype badAt = 0;
    if (!convert("CP936", "UTF-8", utf8, out, badAt)) {
        const QString bad = QString::fromUtf8(utf8.mid(badAt)).left(1);
        throw TextFileError(QStringLiteral("字符“%1”无法以GBK编码保存").arg(bad).toStdString());
    }
    return out;
}

QString decodeAnsi(const QByteArray& bytes)
{
    QString result;
    QByteArray rest = bytes;
    while (!rest.isEmpty()) {
        QByteArray out;
        qsizetype badAt = 0;
        const bool ok = convert("UTF-8", "CP936", rest, out, badAt);
        result += QString::fromUtf8(out);
        if (ok)
            break;
        result += QChar(0xFFFD);
        rest = rest.mid(badAt + 1);
    }
    return result;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString s = decoder.decode(bytes);
    Q_UNUSED(s);
    return !decoder.hasError();
}

QString decodeUtf8OrAnsi(const QByteArray& bytes)
{
    if (isValidUtf8(bytes)) {
        QString s = QString::fromUtf8(bytes);
        if (s.startsWith(QChar(0xFEFF)))
            s.remove(0, 1);
        return s;
    }
    return decodeAnsi(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    QString current;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << current;
            current.clear();
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

void writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TextFileError(file.errorString().toStdString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw TextFileError(file.errorString().toStdString());
}

void writeAnsiLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encodeAnsi(line);
        bytes += "\r\n";
    }
    writeFileAtomic(path, bytes);
}

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TextFileError(file.errorString().toStdString());
    return file.readAll();
}

QStringList readAnsiLines(const QString& path)
{
    return splitLines(decodeAnsi(readFileBytes(path)));
}

}  // namespace platform
