#include "mosaic/tone_curve.h"

#include "platform/bitmap_access.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace mosaic {

// Kept within a range that no box position leaves, so the conversion is
// always defined.
int boxRound(float v)
{
    if (std::isnan(v))
        return 0;
    const double r = platform::roundHalfEven(v);
    return static_cast<int>(r < -1e6 ? -1e6 : (r > 1e6 ? 1e6 : r));
}

ToneCurve::ToneCurve()
{
    nPoints = 3;
    ptX.assign(nPoints + 1, 0.0f);
    ptY.assign(nPoints + 1, 0.0f);
    ptM.assign(nPoints + 1, 0.0f);
    ptH.assign(nPoints + 1, 0.0f);
    for (int i = 1; i <= 3; ++i) {
        ptX[i] = 256.0f / (nPoints - 1) * (i - 1);
        ptY[i] = 255.0f - ptX[i];
    }
}

void ToneCurve::calcSpline()
{
    const int n = nPoints;
    std::vector<float> d(n + 1, 0.0f);
    std::vector<float> r(n + 1, 0.0f);
    const std::vector<float>& x = ptX;
    const std::vector<float>& y = ptY;
    for (int i = 2; i <= n - 1; ++i)
        d[i] = 2 * (x[i + 1] - x[i - 1]);
    for (int i = 1; i <= n - 1; ++i)
        ptH[i] = x[i + 1] - x[i];
    for (int i = 2; i <= n - 1; ++i)
        r[i] = 6 * ((y[i + 1] - y[i]) / ptH[i] - (y[i] - y[i - 1]) / ptH[i - 1]);
    for (int i = 2; i <= n - 2; ++i) {
        r[i + 1] = r[i + 1] - ptH[i] * r[i] / d[i];
        d[i + 1] = d[i + 1] - ptH[i] * ptH[i] / d[i];
    }
    ptM[1] = 0;
    ptM[n] = 0;
    for (int i = n - 1; i >= 2; --i)
        ptM[i] = (r[i] - ptH[i] * ptM[i + 1]) / d[i];
}

float ToneCurve::splineCube(float t)
{
    return t * t * t - t;
}

float ToneCurve::splineAt(int32_t i, float x) const
{
    const float h = ptH[i];
    const float t = (x - ptX[i]) / h;
    const float c1 = splineCube(t);
    const float c0 = splineCube(1 - t);
    const float result = (1 - t) * ptY[i] + t * ptY[i + 1] + (c1 * ptM[i + 1] + c0 * ptM[i]) * h * h / 6;
    return result;
}

float ToneCurve::GetDist(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const double dx = static_cast<double>(int64_t{x1} - x2);
    const double dy = static_cast<double>(int64_t{y1} - y2);
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

int32_t ToneCurve::findPoint(int32_t x, int32_t y) const
{
    for (int i = 1; i <= nPoints; ++i) {
        if (GetDist(x, y, boxRound(ptX[i]), boxRound(ptY[i])) < kHitRadius)
            return i;
    }
    return -1;
}

int32_t ToneCurve::pointWithX(float x) const
{
    for (int i = 1; i <= nPoints; ++i) {
        if (ptX[i] == x)
            return i;
    }
    return -1;
}

int32_t ToneCurve::addPoint(float x, float y)
{
    if (nPoints >= kMaxPoints)
        return -1;
    ++nPoints;
    ptX.resize(nPoints + 1, 0.0f);
    ptY.resize(nPoints + 1, 0.0f);
    ptM.resize(nPoints + 1, 0.0f);
    ptH.resize(nPoints + 1, 0.0f);
    int k = nPoints;
    for (int i = 1; i <= nPoints; ++i) {
        if (ptX[i] > x) {
            k = i;
            break;
        }
    }
    // The new last slot holds 0 and is never greater than x when x lies
    // right of every point, so k stays nPoints then.
    for (int i = nPoints - 1; i >= k; --i) {
        ptX[i + 1] = ptX[i];
        ptY[i + 1] = ptY[i];
    }
    ptX[k] = x;
    ptY[k] = y;
    return k;
}

void ToneCurve::movePoint(int32_t s, float x, float y)
{
    const int n = nPoints;
    if (s < 1 || s > n)
        return;
    bool takeX;
    if (s == 1)
        takeX = x >= 0 && x < ptX[2];
    else if (s == n)
        takeX = ptX[n - 1] < x && x <= 255;
    else
        takeX = ptX[s - 1] < x && x < ptX[s + 1];
    if (takeX)
        ptX[s] = x;
    if (y >= 0 && y <= 255)
        ptY[s] = y;
}

void ToneCurve::rebuildTable()
{
    curveY.fill(-1);
    curveMinX = 256;
    curveMaxX = -1;
    calcSpline();
    for (int i = 1; i <= nPoints - 1; ++i) {
        const int lo = boxRound(ptX[i]);
        const int hi = boxRound(ptX[i + 1]);
        const int first = lo < CurveTable::kFirstLevel ? CurveTable::kFirstLevel : lo;
        const int last = hi > CurveTable::kLastLevel ? CurveTable::kLastLevel : hi;
        for (int x = first; x <= last; ++x) {
            float y = splineAt(i, static_cast<float>(x));
            if (x < curveMinX)
                curveMinX = static_cast<int16_t>(x);
            if (x > curveMaxX)
                curveMaxX = static_cast<int16_t>(x);
            if (y > 255 || std::isnan(y))
                y = 254;
            else if (y < 0)
                y = 1;
            curveY(x) = static_cast<int16_t>(boxRound(y));
        }
    }
    if (curveMaxX < curveMinX)
        return;
    for (int x = CurveTable::kFirstLevel; x <= curveMinX - 1; ++x)
        curveY(x) = curveY(curveMinX);
    for (int x = CurveTable::kLastLevel; x >= curveMaxX + 1; --x)
        curveY(x) = curveY(curveMaxX);
}

ToneTable toneLut(const CurveTable& curveY)
{
    ToneTable lut{};
    for (int i = 0; i <= 255; ++i) {
        const double x = i / 255.0;
        const double c = curveY(i);
        double e = (c + 1) / (256 - i);
        if (c > 256 - i)
            e = std::pow(e, 1.5);
        double y = 255 * std::pow(x, e);
        if (y > 255)
            y = 255;
        else if (y < 0)
            y = 0;
        lut[i] = static_cast<uint8_t>(platform::roundHalfEven(y));
    }
    return lut;
}

void applyToneLut(PixelBuffer2D& buffer, int32_t width, int32_t height, const ToneTable& lut)
{
    if (width <= 0 || height <= 0 || buffer.stride < 3 * int64_t{width})
        return;
    const int rows = static_cast<int>(std::min<int64_t>(height, buffer.bytes.size() / buffer.stride));
    uint8_t* data = buffer.bytes.data();
    const size_t stride = static_cast<size_t>(buffer.stride);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    // Two bytes per look-up: a table of every byte pair (128 KB, built once
    // per pass) halves the look-ups of a byte table.
    std::vector<uint16_t> pairs(size_t{1} << 16);
    for (unsigned hi = 0; hi < 256; ++hi)
        for (unsigned lo = 0; lo < 256; ++lo)
            pairs[hi << 8 | lo] = static_cast<uint16_t>(lut[hi] << 8 | lut[lo]);
    platform::forEachRowBand(rows, 64, [&](int first, int last) {
        const uint16_t* table = pairs.data();
        for (int row = first; row < last; ++row) {
            uint8_t* p = data + row * stride;
            size_t i = 0;
            for (; i + 8 <= rowBytes; i += 8) {
                uint16_t v[4];
                std::memcpy(v, p + i, 8);
                for (uint16_t& x : v)
                    x = table[x];
                std::memcpy(p + i, v, 8);
            }
            for (; i < rowBytes; ++i)
                p[i] = lut[p[i]];
        }
    });
}

}  // namespace mosaic
