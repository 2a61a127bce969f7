// One whole re-application of the tone curve (read the backing copy, build
// the output table, look up every byte, write the working picture) next to a
// plain byte lookup-table pass over the same picture, timed in the same run.
// "ratio" is the curve pass over the reference pass.
#include "mosaic/fast_drawing.h"
#include "mosaic/tone_curve.h"
#include "platform/bitmap_access.h"
#include "platform/picture_box.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

using namespace mosaic;

namespace {

QImage benchPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * 7 + y) & 0xFF, (x + y * 3) & 0xFF, (x ^ y) & 0xFF);
    }
    return image;
}

// A curve lifted in the middle, so the table is no identity.
CurveTable liftedCurve()
{
    ToneCurve c;
    c.movePoint(2, 100, 90);
    c.rebuildTable();
    return c.curveY;
}

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void curvePass(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const int workers = static_cast<int>(state.range(2));
    platform::setRowBandWorkers(workers);
    platform::PictureBox back;
    platform::PictureBox work;
    back.setImage(benchPicture(w, h));
    work.setImage(back.image().copy());
    const CurveTable curveY = liftedCurve();
    PixelBuffer2D buffer;
    // Reference: one byte table pass over a 24-bit copy of the picture.
    std::vector<uint8_t> plain(static_cast<size_t>(w) * h * 3, 1);
    const ToneTable refTable = toneLut(curveY);

    double curveTotal = 0;
    double refTotal = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        FastDrawing drawing;
        const int32_t width = drawing.GetImageWidth(back);
        const int32_t height = drawing.GetImageHeight(back);
        drawing.GetImageData2D(back, buffer);
        const ToneTable lut = toneLut(curveY);
        applyToneLut(buffer, width, height, lut);
        drawing.SetImageData2D(work, width, height, buffer);
        const auto t1 = std::chrono::steady_clock::now();
        for (uint8_t& b : plain)
            b = refTable[b];
        benchmark::DoNotOptimize(plain.data());
        const auto t2 = std::chrono::steady_clock::now();
        curveTotal += seconds(t1 - t0);
        refTotal += seconds(t2 - t1);
        state.SetIterationTime(seconds(t1 - t0));
    }
    state.counters["ref_ms"] = benchmark::Counter(refTotal * 1000 / state.iterations());
    state.counters["ratio"] = benchmark::Counter(curveTotal / refTotal);
    platform::setRowBandWorkers(0);
}

// The three steps of one pass on their own, one thread: 0 read, 1 lookup, 2 write.
void curveStep(benchmark::State& state)
{
    const int step = static_cast<int>(state.range(0));
    platform::setRowBandWorkers(1);
    platform::PictureBox back;
    platform::PictureBox work;
    back.setImage(benchPicture(4000, 3000));
    work.setImage(back.image().copy());
    const ToneTable lut = toneLut(liftedCurve());
    PixelBuffer2D buffer;
    FastDrawing drawing;
    drawing.GetImageData2D(back, buffer);
    for (auto _ : state) {
        if (step == 0)
            drawing.GetImageData2D(back, buffer);
        else if (step == 1)
            applyToneLut(buffer, 4000, 3000, lut);
        else
            drawing.SetImageData2D(work, 4000, 3000, buffer);
        benchmark::DoNotOptimize(buffer.bytes.data());
    }
    platform::setRowBandWorkers(0);
}

}  // namespace

BENCHMARK(curveStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Arguments: width, height, threads (0 = the processors less one).
BENCHMARK(curvePass)
    ->Args({4000, 3000, 1})
    ->Args({6000, 4000, 1})
    ->Args({4000, 3000, 0})
    ->Args({6000, 4000, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
