#include "platform/testing/test_helpers.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <QFile>

namespace testing_support {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray encodedImage(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray jpegDeclaring(int width, int height)
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(qRgb(40, 90, 160));
    QByteArray bytes = encodedImage(small, "JPG");
    // The baseline frame header: marker, length, precision, height, width.
    const int frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame < 0 || frame + 9 > bytes.size())
        return {};
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height & 0xFF);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width & 0xFF);
    return bytes;
}

QByteArray bmpHeaderOnly(int width, int height)
{
    QByteArray bytes;
    auto put = [&bytes](quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.append(char((value >> (8 * i)) & 0xFF));
    };
    const quint64 rowBytes = (quint64(width) * 3 + 3) / 4 * 4;
    const quint64 fileSize = qMin<quint64>(54 + rowBytes * quint64(height), 0xFFFFFFFFu);
    bytes.append("BM");
    put(quint32(fileSize), 4);
    put(0, 4);
    put(54, 4);   // pixels start after the two headers
    put(40, 4);   // info header size
    put(quint32(width), 4);
    put(quint32(height), 4);
    put(1, 2);    // planes
    put(24, 2);   // bits per pixel
    put(0, 4);    // no compression
    put(0, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    return bytes;
}

QImage patternImage(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 255));
    return img;
}

}  // namespace testing_support
