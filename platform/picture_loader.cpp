#include "platform/picture_loader.h"

#include "platform/file_reader.h"
#include "platform/http_request.h"
#include "platform/text_file.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace platform {

QImage LoadPicture(const QString& strFileName, QByteArray* bytes, const RequestRule& rule)
{
    QByteArray data;
    const QString lower = strFileName.trimmed().toLower();
    if (lower.startsWith("http://") || lower.startsWith("https://")) {
        data = fetchUrl(strFileName.trimmed(), rule).body;
    } else {
        try {
            data = readRegularFile(AT_FDCWD, QFile::encodeName(strFileName), kPictureReadCap);
        } catch (const TextFileError&) {
            // No picture: a missing or unreadable file, or no regular file.
        }
    }
    if (bytes)
        *bytes = data;
    if (data.isEmpty())
        return {};
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace platform
