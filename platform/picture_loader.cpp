#include "platform/picture_loader.h"

#include "platform/http_request.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace platform {

QImage LoadPicture(const QString& strFileName, QByteArray* bytes, int timeoutMs)
{
    QByteArray data;
    const QString lower = strFileName.trimmed().toLower();
    if (lower.startsWith("http://") || lower.startsWith("https://")) {
        HttpRequest request(timeoutMs);
        request.open(QStringLiteral("get"), strFileName.trimmed());
        request.send();
        request.waitUntilDone();
        if (!request.failed())
            data = request.responseBody();
    } else {
        QFile file(strFileName);
        if (file.open(QIODevice::ReadOnly))
            data = file.readAll();
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
