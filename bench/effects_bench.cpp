// Times each image effect and the colour replace on 4000 x 3000 and
// 6000 x 4000 pictures next to a reference pass over the same picture (a byte
// lookup table that reads and writes every byte), and prints each ratio.
// Targets on one thread: emboss, weather, erode, darken and the replace at
// most 2, the diffuse at most 2.5, the smoothing at most 4; a whole click of
// each on the main window at most 3.
// Also a brush stroke's snapshot (its time and bytes; targets under 2 ms and
// 4 MB on 12 MP) and the memory the undo history holds after 40 strokes and
// 8 effect clicks (target: the program under 800 MB resident).
#include "mosaic/effects.h"
#include "mosaic/form1.h"
#include "platform/testing/random_image.h"
#include "mosaic/undo_history.h"
#include "platform/picture_box.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QRandomGenerator>
#include <array>
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <thread>

using namespace mosaic;

namespace {

const char* const kNames[] = {"smooth", "emboss", "weather", "erode", "darken", "diffuse"};

const QImage& picture(int w, int h)
{
    static std::map<std::pair<int, int>, QImage> cache;
    QImage& img = cache[{w, h}];
    if (img.isNull())
        img = testing_support::randomImage(w, h, 42);
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

// Each click is undone outside the timing, so the history stays short and
// the next click finds the buffer the undo gave back.
void click(benchmark::State& state, int index)
{
    window->Picture1->setImage(picture(int(state.range(0)), int(state.range(1))));
    window->writeBackingCopy();
    window->pickedColor = 0x808080;
    for (auto _ : state) {
        if (index < kEffects)
            window->Command5_Click(index);
        else
            window->Command3_Click();
        state.PauseTiming();
        window->Command4_Click(0);
        state.ResumeTiming();
    }
}

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Resident memory of the process in MB (VmRSS), 0 where it cannot be read.
double residentMB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// A brush stroke of 20 segments, about 1,100 pixels long, at the given start.
void strokeLines(platform::PictureBox& box, int x, int y)
{
    for (int k = 0; k < 20; ++k) {
        const int nx = x + 45;
        const int ny = y + (k % 2 ? 40 : -25);
        box.line(x, y, nx, ny, 0x3040FF);
        x = nx;
        y = ny;
    }
}

// The snapshot of a brush stroke: the same stroke on a picture box alone and
// on one watched by an undo history (the push at the press, and the old
// pixels the stroke reaches). snapshot_ms is the difference, snapshot_MB the
// bytes the history took for it.
void strokeSnapshot(benchmark::State& state)
{
    const QImage& pic = picture(int(state.range(0)), int(state.range(1)));
    platform::PictureBox bare;
    platform::PictureBox watched;
    bare.setImage(pic.copy());
    watched.setImage(pic.copy());
    bare.setDrawWidth(5);
    watched.setDrawWidth(5);
    UndoHistory history;
    history.watch(&watched);
    double paint = 0, withHistory = 0, bytes = 0;
    int n = 0;
    for (auto _ : state) {
        const int x = 100 + (n * 97) % 2800;
        const int y = 200 + (n * 53) % 2500;
        const qint64 before = history.heldBytes();
        const auto t0 = std::chrono::steady_clock::now();
        strokeLines(bare, x, y);
        const auto t1 = std::chrono::steady_clock::now();
        history.push();
        strokeLines(watched, x, y);
        const auto t2 = std::chrono::steady_clock::now();
        paint += seconds(t1 - t0);
        withHistory += seconds(t2 - t1);
        bytes += double(history.heldBytes() - before);
        state.SetIterationTime(seconds(t2 - t1));
        if (history.undoIndex == UndoHistory::kSlots - 1)
            history.reset();
        ++n;
    }
    state.counters["paint_ms"] = paint * 1e3 / n;
    state.counters["snapshot_ms"] = (withHistory - paint) * 1e3 / n;
    state.counters["snapshot_MB"] = bytes / n / (1 << 20);
}

// 40 brush strokes and 8 effect clicks on a fresh main window holding a
// 12 MP photo: the bytes the undo history holds and the process's resident
// memory after them; effect_click_ms is the mean click, each one keeping
// the picture it replaces (so each needs a buffer the history did not give
// back), 300 ms apart as a user's clicks are.
void historyMemory(benchmark::State& state)
{
    const int strokes = int(state.range(0));
    const int effects = int(state.range(1));
    for (auto _ : state) {
        QTemporaryDir folder;
        Form1 w(folder.path());
        w.Form_Load();
        QImage photo(4000, 3000, QImage::Format_RGB32);
        QRandomGenerator rng(7);
        for (int y = 0; y < photo.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                row[x] = 0xFF000000u | (rng.generate() & 0xFFFFFFu);
        }
        w.Picture1->setImage(photo);
        photo = QImage();
        w.writeBackingCopy();
        w.Option1_Click(0);
        const qint64 start = w.undoHistory.heldBytes();
        double strokeTime = 0;
        for (int s = 0; s < strokes; ++s) {
            const auto t0 = std::chrono::steady_clock::now();
            double x = 100 + s * 80, y = 300 + s * 50;
            w.Picture1_MouseDown(1, 0, x, y);
            for (int k = 0; k < 20; ++k) {
                x += 45;
                y += k % 2 ? 40 : -25;
                w.Picture1_MouseMove(1, 0, x, y);
            }
            w.Picture1_MouseUp(1, 0, x, y);
            strokeTime += seconds(std::chrono::steady_clock::now() - t0);
        }
        const qint64 afterStrokes = w.undoHistory.heldBytes();
        double effectTime = 0;
        for (int e = 0; e < effects; ++e) {
            // A user looks at each result before the next click.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const auto t0 = std::chrono::steady_clock::now();
            w.Command5_Click(e % kErase);
            effectTime += seconds(std::chrono::steady_clock::now() - t0);
        }
        state.counters["stroke_ms"] = strokeTime * 1e3 / std::max(strokes, 1);
        state.counters["strokes_MB"] = double(afterStrokes - start) / (1 << 20);
        state.counters["history_MB"] = double(w.undoHistory.heldBytes()) / (1 << 20);
        state.counters["resident_MB"] = residentMB();
        state.counters["effect_click_ms"] = effectTime * 1e3 / std::max(effects, 1);
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
    // First, while the process holds no benchmark pictures yet.
    benchmark::RegisterBenchmark("history_memory", historyMemory)
        ->Args({40, 8})->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
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
    benchmark::RegisterBenchmark("stroke_snapshot", strokeSnapshot)
        ->Args({4000, 3000})->Unit(benchmark::kMillisecond)->UseManualTime();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(pictureSizeOf, [](const std::string& name) { return name.rfind("reference/", 0) == 0; });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
