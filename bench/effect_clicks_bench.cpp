// Effect and colour-replace clicks on the main window of both editions, as a
// user meets them: the click handler itself on a 12 MP and a 48 MP photo,
// clicks a user's pause apart (600 ms), 100 ms apart (a quick user) and back
// to back (the next click right after the last, as when pressing 平滑 again
// to smooth more). Each run starts
// on a fresh window and keeps every step in the history, as a user's clicks
// do. The reference is a memcpy of the picture's pixels in the same run.
// Targets: every click at most 3 x memcpy at 12 MP, 4 x at 48 MP.
#include "mosaic/effects.h"
#include "mosaic/form1.h"
#include "mosaic09/form1.h"
#include "platform/testing/random_image.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int kReplace = mosaic::kEffects;  // the run index of "替换"
const char* const kNames[] = {"smooth", "emboss", "weather", "erode", "darken", "diffuse", "erase", "replace"};

const QImage& cachedPhoto(int w, int h)
{
    static std::unique_ptr<QImage> cached;
    if (!cached || cached->width() != w || cached->height() != h) {
        cached.reset();
        cached = std::make_unique<QImage>(testing_support::randomImage(w, h, 42));
    }
    return *cached;
}

void memcpyReference(benchmark::State& state)
{
    const QImage& src = cachedPhoto(int(state.range(0)), int(state.range(1)));
    QImage dst = src.copy();
    for (auto _ : state) {
        std::memcpy(dst.bits(), src.constBits(), size_t(src.sizeInBytes()));
        benchmark::ClobberMemory();
    }
}

// range: width, height, edition (10 or 9), pause between clicks in ms.
// keptPictures: the history's memory budget in pictures (0: the machine's).
void clicks(benchmark::State& state, int index, int keptPictures = 0)
{
    const bool v09 = state.range(2) == 9;
    if (v09 && (index == mosaic::kErase)) {
        state.SkipWithError("no erase in edition 0.9");
        return;
    }
    const auto pause = std::chrono::milliseconds(state.range(3));
    QTemporaryDir folder;
    std::unique_ptr<mosaic::Form1Base> w;
    if (v09)
        w = std::make_unique<mosaic09::Form1>(folder.path());
    else
        w = std::make_unique<mosaic::Form1>(folder.path());
    w->Form_Load();
    w->Picture1->setImage(cachedPhoto(int(state.range(0)), int(state.range(1))).copy());
    w->writeBackingCopy();
    if (keptPictures > 0)
        static_cast<mosaic::Form1*>(w.get())->undoHistory.setMemoryBudget(keptPictures * w->Picture1->image().sizeInBytes());
    w->pickedColor = 0x808080;
    w->Text4->setText("60");
    // As after a drop: the restore point holds the picture.
    if (v09)
        static_cast<mosaic09::Form1*>(w.get())->backupWorkingPicture();
    else
        static_cast<mosaic::Form1*>(w.get())->saveUndo();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (index == kReplace)
            w->Command3_Click();
        else
            w->Command5_Click(index);
        state.PauseTiming();
        QCoreApplication::processEvents();
        if (pause.count() > 0)
            std::this_thread::sleep_for(pause);
        state.ResumeTiming();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (auto [w, h] : {std::pair{4000, 3000}, std::pair{8000, 6000}}) {
        benchmark::RegisterBenchmark("memcpy", memcpyReference)
            ->Args({w, h})->Unit(benchmark::kMillisecond)->UseRealTime();
        for (int edition : {10, 9})
            for (int pause : {0, 100, 600})
                for (int i = 0; i <= kReplace; ++i) {
                    if (edition == 9 && i == mosaic::kErase)
                        continue;
                    const char* when = pause == 0 ? "_back_to_back" : pause < 600 ? "_100ms_apart" : "_apart";
                    const std::string name = std::string(kNames[i]) + when;
                    // A few clicks a run: each keeps a picture in the history.
                    benchmark::RegisterBenchmark(name.c_str(), [i](benchmark::State& s) { clicks(s, i); })
                        ->Args({w, h, edition, pause})->Iterations(pause ? 4 : 8)
                        ->Unit(benchmark::kMillisecond)->UseRealTime();
                }
    }
    // Edition 1.0 beyond its memory budget: each click's old picture is
    // written out while the next clicks run.
    for (auto [w, h] : {std::pair{4000, 3000}, std::pair{8000, 6000}})
        for (int pause : {0, 600})
            for (int i : {mosaic::kSmooth, mosaic::kDarken}) {
                const std::string name = std::string(kNames[i]) + (pause ? "_apart" : "_back_to_back") + "_written_out";
                benchmark::RegisterBenchmark(name.c_str(), [i](benchmark::State& s) { clicks(s, i, 2); })
                    ->Args({w, h, 10, pause})->Iterations(pause ? 4 : 8)
                    ->Unit(benchmark::kMillisecond)->UseRealTime();
            }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        pictureSizeOf, [](const std::string& name) { return name.rfind("memcpy/", 0) == 0; },
        "a memcpy of the same picture's pixels");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
