// A picture of random colours from a seed, for the tests and the
// benchmarks: the worst case for the effects' caches and for face matching.
#pragma once

#include <QImage>
#include <QRandomGenerator>

namespace testing_support {

inline QImage randomImage(int width, int height, quint32 seed)
{
    QImage img(width, height, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xFF000000u | (rng.generate() & 0xFFFFFFu);
    }
    return img;
}

}  // namespace testing_support
