#include "mosaic/effects.h"
#include "platform/color_value.h"
#include "platform/numbers.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace mosaic;
using platform::fromQRgb;
using platform::roundHalfEven;
using platform::toQRgb;

namespace {

QImage randomPicture(int w, int h, quint32 seed)
{
    QRandomGenerator rng(seed);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(rng.bounded(256), rng.bounded(256), rng.bounded(256)));
    return img;
}

QImage flatPicture(int w, int h, ColorValue c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(toQRgb(c));
    return img;
}

ColorValue at(const QImage& img, int x, int y)
{
    return fromQRgb(img.pixel(x, y));
}

int channel(ColorValue c, int k)
{
    return (c >> (8 * k)) & 0xFF;
}

// Effects 0..4 pixel by pixel, as defined: channel by channel in double
// arithmetic with half-even rounding; the frame keeps the source.
QImage slowEffect(int effect, const QImage& src)
{
    QImage dst = src.copy();
    const int w = src.width(), h = src.height();
    for (int i = 1; i <= w - 2; ++i)
        for (int j = 1; j <= h - 2; ++j) {
            int out[3];
            for (int k = 0; k < 3; ++k) {
                auto c = [&](int x, int y) { return channel(at(src, x, y), k); };
                switch (effect) {
                case kSmooth: {
                    double sum = 0;
                    for (int dx = -1; dx <= 1; ++dx)
                        for (int dy = -1; dy <= 1; ++dy)
                            sum += c(i + dx, j + dy);
                    out[k] = int(roundHalfEven(sum / 9));
                    break;
                }
                case kEmboss: {
                    const int d = std::abs(c(i + 1, j + 1) - c(i, j));
                    out[k] = d >= 200 ? 255 : d + 55;
                    break;
                }
                case kWeather:
                    out[k] = std::abs(int(roundHalfEven(c(i, j) / 3.0)) ^ c(i, j));
                    break;
                case kErode:
                    out[k] = c(i, j) ^ 15;
                    break;
                case kDarken:
                    out[k] = int(roundHalfEven(c(i, j) / 1.3));
                    break;
                }
            }
            dst.setPixel(i, j, toQRgb(((out[2] * 256) + out[1]) * 256 + out[0]));
        }
    return dst;
}

QImage fast(int effect, const QImage& src, int threads = 1, uint64_t seed = 0)
{
    QImage dst;
    applyEffect(effect, src, dst, seed, threads);
    return dst;
}

}  // namespace

TEST(Effects, MatchThePerPixelDefinitionOnRandomPictures)
{
    const QSize sizes[] = {{1, 1}, {2, 5}, {5, 2}, {3, 3}, {17, 13}, {64, 40}};
    quint32 seed = 1;
    for (const QSize& size : sizes) {
        const QImage src = randomPicture(size.width(), size.height(), seed++);
        for (int effect = kSmooth; effect <= kDarken; ++effect) {
            const QImage expected = slowEffect(effect, src);
            EXPECT_EQ(fast(effect, src, 1), expected) << "effect " << effect << " " << size.width() << "x"
                                                       << size.height();
            EXPECT_EQ(fast(effect, src, 4), expected) << "effect " << effect << " in bands";
        }
    }
}

TEST(Effects, HandMadePictures)
{
    // Smoothing: a flat region stays; a lone white pixel spreads 28 over its 3x3.
    const QImage flat = flatPicture(6, 5, platform::rgbValue(10, 120, 250));
    EXPECT_EQ(fast(kSmooth, flat), flat);
    QImage dot = flatPicture(7, 7, 0);
    dot.setPixel(3, 3, qRgb(255, 255, 255));
    const QImage smoothed = fast(kSmooth, dot);
    for (int x = 2; x <= 4; ++x)
        for (int y = 2; y <= 4; ++y)
            EXPECT_EQ(at(smoothed, x, y), platform::rgbValue(28, 28, 28));
    EXPECT_EQ(at(smoothed, 1, 1), 0);

    // Emboss: 55 on flat regions, 255 on a step of 200 to the lower-right.
    EXPECT_EQ(at(fast(kEmboss, flat), 2, 2), platform::rgbValue(55, 55, 55));
    QImage step = flatPicture(4, 4, 0);
    step.setPixel(2, 2, qRgb(200, 199, 0));
    EXPECT_EQ(at(fast(kEmboss, step), 1, 1), platform::rgbValue(255, 254, 55));

    // Weather 0 -> 0, 255 -> 170, 3 -> 2; darken 255 -> 196, 13 -> 10.
    const QImage grey = flatPicture(3, 3, platform::rgbValue(0, 255, 3));
    EXPECT_EQ(at(fast(kWeather, grey), 1, 1), platform::rgbValue(0, 170, 2));
    EXPECT_EQ(at(fast(kDarken, flatPicture(3, 3, platform::rgbValue(255, 13, 0))), 1, 1),
              platform::rgbValue(196, 10, 0));

    // Erode twice restores the picture; the frame keeps its source pixels.
    const QImage src = randomPicture(9, 8, 77);
    const QImage once = fast(kErode, src);
    EXPECT_NE(once, src);
    EXPECT_EQ(fast(kErode, once), src);
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(once.pixel(x, 0), src.pixel(x, 0));
        EXPECT_EQ(once.pixel(x, 7), src.pixel(x, 7));
    }
}

TEST(Effects, DiffuseTakesOneOfTheEightNeighbours)
{
    // Every pixel a colour of its own: the result never keeps a pixel's colour.
    const int w = 200, h = 150;
    QImage src(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            src.setPixel(x, y, toQRgb(y * w + x));
    const QImage dst = fast(kDiffuse, src, 1, 12345);
    int counts[3][3] = {};
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const int v = at(dst, x, y);
            const int dx = v % w - x, dy = v / w - y;
            ASSERT_TRUE(std::abs(dx) <= 1 && std::abs(dy) <= 1 && (dx || dy)) << x << "," << y;
            ++counts[dx + 1][dy + 1];
        }
    const double expected = (w - 2) * (h - 2) / 8.0;
    for (int dx = 0; dx < 3; ++dx)
        for (int dy = 0; dy < 3; ++dy) {
            if (dx != 1 || dy != 1) {
                EXPECT_NEAR(counts[dx][dy], expected, expected * 0.08);
            }
        }
    EXPECT_EQ(dst.pixel(0, 5), src.pixel(0, 5));
    // The seed decides; row bands give the same picture; another seed differs.
    EXPECT_EQ(fast(kDiffuse, src, 4, 12345), dst);
    EXPECT_NE(fast(kDiffuse, src, 1, 54321), dst);
}

TEST(Effects, ResultBufferIsReusedUnlessShared)
{
    const QImage src = randomPicture(20, 10, 5);
    QImage dst(20, 10, QImage::Format_RGB32);
    const uchar* buffer = dst.constBits();
    applyEffect(kDarken, src, dst, 0, 1);
    EXPECT_EQ(dst.constBits(), buffer);
    const QImage holder = dst;  // e.g. the picture box shows it
    applyEffect(kErode, src, dst, 0, 1);
    EXPECT_NE(dst.constBits(), buffer);
    EXPECT_EQ(holder, slowEffect(kDarken, src));
    // The source itself as destination is never written over.
    QImage same = src;
    applyEffect(kErode, same, same, 0, 1);
    EXPECT_EQ(same, slowEffect(kErode, src));
}

TEST(ColorReplace, PaintsExactlyThePixelsNearThePickedColour)
{
    const QImage src = randomPicture(40, 30, 9);
    const ColorValue picked = at(src, 7, 3);
    const ColorValue paint = platform::rgbValue(1, 2, 3);
    for (int tolerance : {-5, 0, 1, 25, 100, 441, 442, 30000}) {
        for (int threads : {1, 3}) {
            QImage img = src;
            const qint64 painted = replaceColor(img, picked, tolerance, paint, threads);
            qint64 expected = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x) {
                    const bool near = colorNear(at(src, x, y), picked, tolerance);
                    expected += near;
                    ASSERT_EQ(at(img, x, y), near ? paint : at(src, x, y)) << tolerance << " " << x << "," << y;
                }
            EXPECT_EQ(painted, expected);
        }
    }
    // Tolerance 0 paints only the exact colour.
    QImage img = flatPicture(4, 4, platform::rgbValue(100, 100, 100));
    img.setPixel(1, 1, qRgb(100, 100, 101));
    EXPECT_EQ(replaceColor(img, platform::rgbValue(100, 100, 100), 0, 0, 1), 15);
    EXPECT_EQ(at(img, 1, 1), platform::rgbValue(100, 100, 101));
}
