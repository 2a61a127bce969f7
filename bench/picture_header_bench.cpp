// Judging a dropped file's declared picture size: a hostile JPEG header of
// 16 MiB fill bytes against one plain read of the same file.
#include "platform/picture_header.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString fillFile(QTemporaryDir& dir)
{
    const QString path = dir.filePath("fill.jpg");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray("\xFF\xD8", 2) + QByteArray(16 << 20, '\xFF'));
    return path;
}

// Opens the file afresh for each pass and hands it to `pass`.
template <typename Pass>
void overFillFile(benchmark::State& state, Pass pass)
{
    QTemporaryDir dir;
    const QString path = fillFile(dir);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(pass(file));
    }
}

void BM_FillHeader(benchmark::State& state)
{
    overFillFile(state, [](QFile& file) { return platform::declaredPictureSize(file); });
}
BENCHMARK(BM_FillHeader)->Unit(benchmark::kMillisecond);

void BM_PlainRead(benchmark::State& state)
{
    overFillFile(state, [](QFile& file) { return file.readAll(); });
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
