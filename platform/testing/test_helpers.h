// Helpers shared by the tests of every program, logic and windows alike.
#pragma once

#include "platform/testing/random_image.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>
#include "platform/u8.h"

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (const QString& s : list)
        *os << " \"" << s.toStdString() << '"';
    *os << " }";
}

namespace testing_support {

using platform::u8;

// Writes bytes to a file; fails the running test when it cannot.
void writeBytes(const QString& path, const QByteArray& bytes);

// Bytes of a file, empty when it cannot be read.
QByteArray fileBytes(const QString& path);

// Bytes of a picture saved in a format ("JPG", "PNG", "BMP").
QByteArray encodedImage(const QImage& image, const char* format);

// A 24-bit BMP file's headers claiming a picture of the given size, without
// its pixels: enough for a reader to learn the size.
QByteArray bmpHeaderOnly(int width, int height);

// A small JPEG file whose frame header claims the given size (at most
// 65535 a side): a reader learns the size, and decoding it fails.
QByteArray jpegDeclaring(int width, int height);

// A picture of the given size with a simple colour pattern.
QImage patternImage(int width, int height);

}  // namespace testing_support
