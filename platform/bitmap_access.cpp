#include "platform/bitmap_access.h"

#include "platform/numbers.h"
#include "platform/picture_buffer.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

namespace {

// Pixels of one 32-bit image line into 24-bit blue-green-red bytes.
void packLine(const uint32_t* in, uint8_t* out, int width)
{
    int x = 0;
    // Four bytes per pixel, the fourth overwritten by the next pixel.
    for (; x + 1 < width; ++x)
        std::memcpy(out + 3 * x, in + x, 4);
    for (; x < width; ++x) {
        const uint32_t p = in[x];
        out[3 * x] = static_cast<uint8_t>(p);
        out[3 * x + 1] = static_cast<uint8_t>(p >> 8);
        out[3 * x + 2] = static_cast<uint8_t>(p >> 16);
    }
}

// 24-bit bytes into 32-bit pixels of the same width.
void unpackLine(const uint8_t* in, uint32_t* out, int width)
{
    int x = 0;
    for (; x + 1 < width; ++x) {
        uint32_t p;
        std::memcpy(&p, in + 3 * x, 4);
        out[x] = 0xFF000000u | (p & 0x00FFFFFFu);
    }
    for (; x < width; ++x)
        out[x] = 0xFF000000u | (uint32_t{in[3 * x + 2]} << 16) | (uint32_t{in[3 * x + 1]} << 8) | in[3 * x];
}

// Bands per thread: enough that a held-back thread costs little, few enough
// that each band is long.
constexpr int64_t kBandsPerThread = 4;

int& bandWorkers()
{
    static int workers = 0;
    return workers;
}

}  // namespace

void setRowBandWorkers(int workers)
{
    bandWorkers() = workers < 0 ? 0 : workers;
}

QSize bitmapSize(const WatchedPicture& picture)
{
    return picture.image().size();
}

int64_t dibStride(int width)
{
    return width <= 0 ? 0 : (int64_t{width} * 3 + 3) / 4 * 4;
}

void readDibBits(const WatchedPicture& picture, uint8_t* dst, size_t dstLen)
{
    const QImage& image = picture.image();
    const int width = image.width();
    const int height = image.height();
    const int64_t stride = dibStride(width);
    if (stride == 0 || height <= 0 || dst == nullptr)
        return;
    const int64_t wholeRows = std::min<int64_t>(height, static_cast<int64_t>(dstLen) / stride);
    const uchar* bits = image.constBits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    forEachRowBand(static_cast<int>(wholeRows), 64, [&](int first, int last) {
        for (int row = first; row < last; ++row) {
            const auto* line = reinterpret_cast<const uint32_t*>(bits + (height - 1 - row) * bytesPerLine);
            uint8_t* out = dst + row * stride;
            packLine(line, out, width);
            std::memset(out + 3 * width, 0, static_cast<size_t>(stride - 3 * int64_t{width}));
        }
    });
    // A last row that only partly fits.
    if (wholeRows < height) {
        const int64_t left = static_cast<int64_t>(dstLen) - wholeRows * stride;
        if (left > 0) {
            std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
            const auto* line = reinterpret_cast<const uint32_t*>(bits + (height - 1 - wholeRows) * bytesPerLine);
            packLine(line, row.data(), width);
            std::memcpy(dst + wholeRows * stride, row.data(), static_cast<size_t>(left));
        }
    }
}

void stretchDibBits(WatchedPicture& picture, int srcWidth, int srcHeight, const uint8_t* src, size_t srcLen)
{
    if (srcWidth <= 0 || srcHeight <= 0 || src == nullptr)
        return;
    const int dw = picture.image().width();
    const int dh = picture.image().height();
    if (dw <= 0 || dh <= 0)
        return;
    // Every pixel is written below: the picture may hand over a spare buffer
    // instead of copying a shared image first.
    QImage& image = picture.imageForOverwrite();
    const int64_t stride = dibStride(srcWidth);
    // Writing detaches a shared image; do it once, before any band starts.
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    const int64_t srcBytes = static_cast<int64_t>(srcLen);

    std::vector<int> columnOf;
    const bool sameWidth = dw == srcWidth;
    if (!sameWidth) {
        columnOf.resize(static_cast<size_t>(dw));
        for (int x = 0; x < dw; ++x)
            columnOf[static_cast<size_t>(x)] = static_cast<int>(int64_t{x} * srcWidth / dw);
    }
    forEachRowBand(dh, 64, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            auto* out = reinterpret_cast<uint32_t*>(bits + y * bytesPerLine);
            const int64_t fromBottom = dh - 1 - y;
            const int64_t srcRow = fromBottom * srcHeight / dh;
            const int64_t rowStart = srcRow * stride;
            const uint8_t* in = src + rowStart;
            if (sameWidth && rowStart + 3 * int64_t{srcWidth} + 1 <= srcBytes) {
                unpackLine(in, out, dw);
                continue;
            }
            for (int x = 0; x < dw; ++x) {
                const int64_t sx = sameWidth ? x : columnOf[static_cast<size_t>(x)];
                const int64_t at = rowStart + 3 * sx;
                uint32_t p = 0xFF000000u;
                if (at + 2 < srcBytes)
                    p |= (uint32_t{src[at + 2]} << 16) | (uint32_t{src[at + 1]} << 8) | src[at];
                else
                    for (int c = 0; c < 3; ++c)
                        if (at + c < srcBytes)
                            p |= uint32_t{src[at + c]} << (8 * c);
                out[x] = p;
            }
        }
    });
}

void forEachRowBand(int rows, int minRowsPerBand, const std::function<void(int first, int last)>& work,
                    int threads)
{
    if (rows <= 0)
        return;
    if (threads <= 0)
        threads = bandWorkers() > 0 ? bandWorkers() : std::max(1, processorCount() - 1);
    const int minRows = std::max(1, minRowsPerBand);
    threads = std::max(1, std::min(threads, rows / minRows));
    if (threads == 1) {
        work(0, rows);
        return;
    }
    const int64_t bandRows = std::max<int64_t>(minRows, rows / (int64_t{threads} * kBandsPerThread));
    std::atomic<int64_t> next{0};
    const auto takeBands = [&] {
        for (;;) {
            const int64_t first = next.fetch_add(bandRows);
            if (first >= rows)
                return;
            work(static_cast<int>(first), static_cast<int>(std::min<int64_t>(rows, first + bandRows)));
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<size_t>(threads - 1));
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(takeBands);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the ones running take the rest
        }
    }
    takeBands();
    for (std::thread& h : helpers)
        h.join();
}

}  // namespace platform
