// Times each image effect and the colour replace on 4000 x 3000 and
// 6000 x 4000 pictures next to a reference pass over the same picture (a byte
// lookup table that reads and writes every byte), and prints each ratio.
// Targets on one thread: emboss, weather, erode, darken and the replace at
// most 2, the diffuse at most 2.5, the smoothing at most 4.
#include "mosaic/effects.h"
#include "mosaic/form1.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QRandomGenerator>
#include <array>
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include <cstdio>
#include <map>
#include <string>

using namespace mosaic;

namespace {

const char* const kNames[] = {"smooth", "emboss", "weather", "erode", "darken", "diffuse"};

const QImage& picture(int w, int h)
{
    static std::map<std::pair<int, int>, QImage> cache;
    QImage& img = cache[{w, h}];
    if (img.isNull()) {
        img = QImage(w, h, QImage::Format_RGB32);
        QRandomGenerator rng(42);
        for (int y = 0; y < h; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < w; ++x)
                row[x] = 0xFF000000u | (rng.generate() & 0xFFFFFFu);
        }
    }
    return img;
}

void reference(benchmark::State& state)
{
    QImage img = picture(int(state.range(0)), int(state.range(1))).copy();
    std::array<uint8_t, 256> lut;
    for (int i = 0; i < 256; ++i)
        lut[i] = uint8_t(255 - i);
    uchar* bits = img.bits();
    const qsizetype n = img.sizeInBytes();
    for (auto _ : state) {
        for (qsizetype i = 0; i < n; ++i)
            bits[i] = lut[bits[i]];
        benchmark::ClobberMemory();
    }
}

void effect(benchmark::State& state, int index)
{
    const QImage& src = picture(int(state.range(0)), int(state.range(1)));
    const int threads = int(state.range(2));
    QImage dst;
    uint64_t seed = 1;
    applyEffect(index, src, dst, seed, threads);  // the result buffer, reused from here on
    for (auto _ : state) {
        applyEffect(index, src, dst, seed++, threads);
        benchmark::ClobberMemory();
    }
}

void replace(benchmark::State& state)
{
    QImage img = picture(int(state.range(0)), int(state.range(1))).copy();
    const int threads = int(state.range(2));
    for (auto _ : state) {
        benchmark::DoNotOptimize(replaceColor(img, 0x808080, 25, 0xFFFFFF, threads));
        benchmark::ClobberMemory();
    }
}

// A whole click of an effect button or of the replace on the main window:
// snapshot, effect, write-back and backing copy.
Form1* window = nullptr;

void click(benchmark::State& state, int index)
{
    window->Picture1->setImage(picture(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        if (index < kEffects)
            window->Command5_Click(index);
        else
            window->Command3_Click();
    }
}

void sizes(benchmark::internal::Benchmark* b, bool threaded)
{
    const int many = effectThreads(1 << 30);
    for (auto [w, h] : {std::pair{4000, 3000}, std::pair{6000, 4000}}) {
        if (!threaded) {
            b->Args({w, h});
            continue;
        }
        b->Args({w, h, 1});
        if (many > 1)
            b->Args({w, h, many});
    }
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

// "name/4000/3000/..." -> "4000/3000": runs compare with the reference of
// the same picture size.
std::string sizeOf(const std::string& name)
{
    const size_t a = name.find('/');
    const size_t b = name.find('/', name.find('/', a + 1) + 1);
    return name.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Form1 form(folder.path());
    form.Form_Load();
    window = &form;
    benchmark::RegisterBenchmark("reference", reference)->Apply([](auto* b) { sizes(b, false); });
    for (int i = kSmooth; i <= kDiffuse; ++i)
        benchmark::RegisterBenchmark(kNames[i], [i](benchmark::State& s) { effect(s, i); })
            ->Apply([](auto* b) { sizes(b, true); });
    benchmark::RegisterBenchmark("replace", replace)->Apply([](auto* b) { sizes(b, true); });
    for (int i = kSmooth; i <= kDiffuse; ++i)
        benchmark::RegisterBenchmark((std::string("click_") + kNames[i]).c_str(),
                                     [i](benchmark::State& s) { click(s, i); })
            ->Args({4000, 3000})->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("click_replace", [](benchmark::State& s) { click(s, kEffects); })
        ->Args({4000, 3000})->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(sizeOf, [](const std::string& name) { return name.rfind("reference/", 0) == 0; });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
