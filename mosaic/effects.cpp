#include "mosaic/effects.h"
#include "platform/bitmap_access.h"

#include "platform/numbers.h"
#include "platform/picture_buffer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace mosaic {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

// Below this many pixels the work is done on the calling thread.
constexpr qint64 kThreadedPixels = 1 << 18;

// Per-channel tables of the point effects, built from their definitions.
struct ChannelTables {
    std::array<uint8_t, 256> weather{};
    std::array<uint8_t, 256> darken{};
    ChannelTables()
    {
        for (int c = 0; c < 256; ++c) {
            weather[c] = uint8_t(std::abs(int(platform::roundHalfEven(c / 3.0)) ^ c));
            darken[c] = uint8_t(platform::roundHalfEven(c / 1.3));
        }
    }
};

const ChannelTables& tables()
{
    static const ChannelTables t;
    return t;
}

// Runs fn(first, last) over row bands of [begin, end), on up to `threads`
// threads.
void forRowBands(int begin, int end, int threads, const std::function<void(int, int)>& fn)
{
    platform::forEachRowBand(end - begin, 1, [&](int first, int last) { fn(begin + first, begin + last); },
                             std::max(threads, 1));
}

// Raw view of a picture's rows (taken once, on the calling thread, so that
// no worker makes Qt detach a shared image).
struct Rows {
    uchar* bits;
    qsizetype stride;
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits + stride * y); }
    uint8_t* bytes(int y) const { return bits + stride * y; }
};

struct ConstRows {
    const uchar* bits;
    qsizetype stride;
    const QRgb* row(int y) const { return reinterpret_cast<const QRgb*>(bits + stride * y); }
    const uint8_t* bytes(int y) const { return bits + stride * y; }
};

uint64_t splitMix(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void smoothRow(const ConstRows& s, const Rows& d, int y, int w, std::vector<uint16_t>& sums)
{
    const uint8_t* a = s.bytes(y - 1);
    const uint8_t* b = s.bytes(y);
    const uint8_t* c = s.bytes(y + 1);
    const int n = 4 * w;
    uint16_t* v = sums.data();
    for (int k = 0; k < n; ++k)
        v[k] = uint16_t(a[k] + b[k] + c[k]);
    uint8_t* out = d.bytes(y);
    // A sum over nine bytes divided by nine never lands on a half, so
    // (sum + 4) / 9 is the half-even rounding.
    for (int k = 4; k < n - 4; ++k)
        out[k] = uint8_t((unsigned(v[k - 4]) + v[k] + v[k + 4] + 4u) / 9u);
}

void embossRow(const ConstRows& s, const Rows& d, int y, int w)
{
    const uint8_t* b = s.bytes(y);
    const uint8_t* c = s.bytes(y + 1) + 4;  // lower-right neighbour
    uint8_t* out = d.bytes(y);
    const int n = 4 * w;
    for (int k = 4; k < n - 4; ++k) {
        const int diff = std::abs(int(b[k]) - int(c[k]));
        out[k] = uint8_t(diff >= 200 ? 255 : diff + 55);
    }
}

void tableRow(const ConstRows& s, const Rows& d, int y, int w, const std::array<uint8_t, 256>& t)
{
    const QRgb* in = s.row(y);
    QRgb* out = d.row(y);
    for (int i = 1; i < w - 1; ++i) {
        const QRgb p = in[i];
        out[i] = kOpaque | QRgb(t[(p >> 16) & 0xFF]) << 16 | QRgb(t[(p >> 8) & 0xFF]) << 8 | t[p & 0xFF];
    }
}

void erodeRow(const ConstRows& s, const Rows& d, int y, int w)
{
    const QRgb* in = s.row(y);
    QRgb* out = d.row(y);
    for (int i = 1; i < w - 1; ++i)
        out[i] = (in[i] ^ 0x0F0F0Fu) | kOpaque;
}

// Eight neighbours in the order of the draw: column offset and row (0 above,
// 1 same, 2 below).
constexpr int kDx[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
constexpr int kDy[8] = {0, 1, 2, 0, 2, 0, 1, 2};

void diffuseRow(const ConstRows& s, const Rows& d, int y, int w, uint64_t seed)
{
    const QRgb* rows[3] = {s.row(y - 1), s.row(y), s.row(y + 1)};
    QRgb* out = d.row(y);
    // Each row draws from its own stream, so bands give the same picture.
    uint64_t state = seed ^ (uint64_t(y) * 0xD1B54A32D192ED03ull);
    uint64_t bits = 0;
    int left = 0;
    for (int i = 1; i < w - 1; ++i) {
        if (left == 0) {
            bits = splitMix(state);
            left = 21;  // three bits per pixel
        }
        const int k = int(bits & 7u);
        bits >>= 3;
        --left;
        out[i] = rows[kDy[k]][i + kDx[k]];
    }
}

void fixAlpha(const Rows& d, int y, int w)
{
    QRgb* out = d.row(y);
    for (int i = 1; i < w - 1; ++i)
        out[i] |= kOpaque;
}

}  // namespace

int effectThreads(qint64 pixels)
{
    if (pixels < kThreadedPixels)
        return 1;
    const int cores = int(std::thread::hardware_concurrency());
    return std::max(1, cores - 1);
}

bool applyEffect(int effect, QImage src, QImage& dst, uint64_t seed, int threads)
{
    if (src.format() != QImage::Format_RGB32)
        src = src.convertToFormat(QImage::Format_RGB32);
    const int w = src.width();
    const int h = src.height();
    if (w == 0 || h == 0) {
        dst = src;
        return true;
    }
    if (dst.size() != src.size() || dst.format() != QImage::Format_RGB32 || !dst.isDetached())
        dst = platform::newPictureImage(src.size());
    if (dst.isNull())
        return false;
    if (threads <= 0)
        threads = effectThreads(qint64(w) * h);

    const ConstRows s{src.constBits(), src.bytesPerLine()};
    const Rows d{dst.bits(), dst.bytesPerLine()};
    const size_t rowBytes = size_t(w) * 4;
    std::memcpy(d.bytes(0), s.bytes(0), rowBytes);
    std::memcpy(d.bytes(h - 1), s.bytes(h - 1), rowBytes);
    if (w < 3 || h < 3 || effect < kSmooth || effect > kDiffuse) {
        for (int y = 1; y < h - 1; ++y)
            std::memcpy(d.bytes(y), s.bytes(y), rowBytes);
        return true;
    }

    const ChannelTables& t = tables();
    forRowBands(1, h - 1, threads, [&](int first, int last) {
        std::vector<uint16_t> sums(effect == kSmooth ? rowBytes : 0);
        for (int y = first; y < last; ++y) {
            switch (effect) {
            case kSmooth:
                smoothRow(s, d, y, w, sums);
                fixAlpha(d, y, w);
                break;
            case kEmboss:
                embossRow(s, d, y, w);
                fixAlpha(d, y, w);
                break;
            case kWeather:
                tableRow(s, d, y, w, t.weather);
                break;
            case kErode:
                erodeRow(s, d, y, w);
                break;
            case kDarken:
                tableRow(s, d, y, w, t.darken);
                break;
            case kDiffuse:
                diffuseRow(s, d, y, w, seed);
                break;
            }
            // The frame keeps its source pixels.
            d.row(y)[0] = s.row(y)[0];
            d.row(y)[w - 1] = s.row(y)[w - 1];
        }
    });
    return true;
}

namespace {

// Rows of src into dst (the same rows for a replace in place), the pixels
// near the picked colour painted; returns the number painted.
qint64 replaceRows(const ConstRows& s, const Rows& d, int w, int h, ColorValue picked, int32_t tolerance,
                   ColorValue replacement, int threads)
{
    // round(sqrt(s)) <= t exactly when s <= t*t + t (no sum of squares lies
    // on a half); distances never exceed 442. A negative tolerance gives a
    // limit below every distance.
    const int32_t t = std::min<int32_t>(tolerance, 442);
    const int32_t limit = tolerance < 0 || picked < 0 ? -1 : t * t + t;
    const int pr = picked & 0xFF, pg = (picked >> 8) & 0xFF, pb = (picked >> 16) & 0xFF;
    const QRgb paint = kOpaque | (QRgb(replacement & 0xFF) << 16) | (QRgb((replacement >> 8) & 0xFF) << 8)
                       | QRgb((replacement >> 16) & 0xFF);
    std::atomic<qint64> total{0};
    forRowBands(0, h, threads, [&](int first, int last) {
        qint64 n = 0;
        for (int y = first; y < last; ++y) {
            const QRgb* in = s.row(y);
            QRgb* out = d.row(y);
            for (int i = 0; i < w; ++i) {
                const QRgb p = in[i];
                const int dr = int((p >> 16) & 0xFF) - pr;
                const int dg = int((p >> 8) & 0xFF) - pg;
                const int db = int(p & 0xFF) - pb;
                const bool near = dr * dr + dg * dg + db * db <= limit;
                out[i] = near ? paint : p;
                n += near;
            }
        }
        total += n;
    });
    return total;
}

}  // namespace

qint64 replaceColor(QImage& image, ColorValue picked, int32_t tolerance, ColorValue replacement,
                    int threads)
{
    if (tolerance < 0 || picked < 0 || image.isNull())
        return 0;
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    if (image.bits() == nullptr)  // a shared picture that could not be copied
        return -1;
    const int w = image.width();
    const int h = image.height();
    if (threads <= 0)
        threads = effectThreads(qint64(w) * h);
    const Rows d{image.bits(), image.bytesPerLine()};
    const ConstRows s{image.constBits(), image.bytesPerLine()};
    return replaceRows(s, d, w, h, picked, tolerance, replacement, threads);
}

qint64 replaceColor(const QImage& src, QImage& dst, ColorValue picked, int32_t tolerance, ColorValue replacement,
                    int threads)
{
    const QImage in = src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
    if (dst.size() != in.size() || dst.format() != QImage::Format_RGB32 || !dst.isDetached() ||
        dst.constBits() == in.constBits())
        dst = platform::newPictureImage(in.size());
    if (dst.isNull() && !in.isNull())
        return -1;
    const int w = in.width();
    const int h = in.height();
    if (threads <= 0)
        threads = effectThreads(qint64(w) * h);
    const ConstRows s{in.constBits(), in.bytesPerLine()};
    const Rows d{dst.bits(), dst.bytesPerLine()};
    return replaceRows(s, d, w, h, picked, tolerance, replacement, threads);
}

}  // namespace mosaic
