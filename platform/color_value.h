// Colour values as the programs hold them: R + G*256 + B*65536, -1 for none.
#pragma once

#include <QColor>
#include <QRgb>
#include <cstdint>

namespace platform {

constexpr int32_t kNoColor = -1;

constexpr int32_t rgbValue(int r, int g, int b)
{
    return int32_t(r) + int32_t(g) * 256 + int32_t(b) * 65536;
}

inline int32_t fromQRgb(QRgb c)
{
    return rgbValue(qRed(c), qGreen(c), qBlue(c));
}

inline QRgb toQRgb(int32_t c)
{
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

inline QColor toQColor(int32_t c)
{
    return QColor(toQRgb(c));
}

}  // namespace platform
