// Pattern generation without a window (sampling, face matching, cell
// drawing) next to a plain pass over the picture's bytes in the same run,
// and the undo push on a full history of 12 MP pictures.
#include "mosaic/sampling.h"
#include "mosaic/undo_history.h"

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QImage>
#include <array>
#include <cstdio>
#include <map>
#include <string>

using namespace mosaic;

namespace {

const std::array<double, kFaces> kTargets{-3, 26, 65, 55, 26, 30};
const std::array<ColorValue, 7> kFaceColors{
    199 + 27 * 256 + 39 * 65536, 165 * 256, 255 * 65536, 0xFFFFFF, 255 + 128 * 256, 222 + 222 * 256, 0};

// A photo-like picture: smooth gradients with some noise, every pixel distinct-ish.
const QImage& photo()
{
    static const QImage img = [] {
        QImage p(4000, 3000, QImage::Format_RGB32);
        uint32_t seed = 12345;
        for (int y = 0; y < p.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(p.scanLine(y));
            for (int x = 0; x < p.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int n = int(seed >> 28);
                line[x] = qRgb((x / 16 + n) & 255, (y / 12 + n) & 255, ((x + y) / 28 + n) & 255);
            }
        }
        return p;
    }();
    return img;
}

// Reference: a byte lookup-table pass reading and writing every byte.
void BM_ReferencePass(benchmark::State& state)
{
    QImage work = photo().copy();
    std::array<uchar, 256> lut{};
    for (int i = 0; i < 256; ++i)
        lut[size_t(i)] = uchar(255 - i);
    for (auto _ : state) {
        for (int y = 0; y < work.height(); ++y) {
            uchar* line = work.scanLine(y);
            const qsizetype n = work.bytesPerLine();
            for (qsizetype i = 0; i < n; ++i)
                line[i] = lut[line[i]];
        }
        benchmark::DoNotOptimize(work.constBits());
    }
}
BENCHMARK(BM_ReferencePass)->Unit(benchmark::kMillisecond);

void BM_Generate(benchmark::State& state)
{
    const double W = double(state.range(0)), H = double(state.range(1));
    const PreviewGrid grid;  // size 3, gap 1
    // The preview image is reused between runs, as the preview window does.
    QImage preview;
    for (auto _ : state) {
        generatePatternInto(preview, photo(), W, H, grid, 0, kTargets, kFaceColors);
        benchmark::DoNotOptimize(preview.constBits());
    }
}
BENCHMARK(BM_Generate)->Args({300, 300})->Args({1000, 750})->Args({131, 124})->Unit(benchmark::kMillisecond);

void BM_UndoPushFullHistory(benchmark::State& state)
{
    UndoHistory history;
    history.reset(photo());
    for (int i = 0; i < UndoHistory::kSlots; ++i)
        history.push(photo());
    for (auto _ : state) {
        history.push(photo());
        benchmark::DoNotOptimize(history.newest().constBits());
    }
}
BENCHMARK(BM_UndoPushFullHistory)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter([](const std::string&) { return std::string(); },
                           [](const std::string& name) { return name == "BM_ReferencePass"; });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
