// A picture of random colours, the same for every run: the worst case for
// the effects' caches and for generation's face matching.
#pragma once

#include <QImage>
#include <QRandomGenerator>

inline QImage randomPhoto(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(42);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = 0xFF000000u | (rng.generate() & 0xFFFFFFu);
    }
    return img;
}
