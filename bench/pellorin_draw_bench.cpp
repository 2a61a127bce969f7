// pellorin's draw over a full table of 10,000 floors, all of them by
// excluded authors but one, against one plain pass over the same table (the
// count of an author's floors that every winner costs anyway).
#include "ratio_reporter.h"
#include "threaddraw/floor_draw.h"
#include "threaddraw/floor_table.h"

#include <QString>
#include <random>

namespace {

struct FullTable {
    FullTable()
    {
        QString ids = QStringLiteral("|");
        for (int f = 1; f <= threaddraw::FloorTable::kSlots; ++f) {
            const QString id = QStringLiteral("cuber%1").arg(f);
            table.addCuber(id, QString::number(f), QString());
            if (f != 4321)
                ids += id + QLatin1Char('|');
        }
        excluded = ids;
    }
    threaddraw::FloorTable table;
    QString excluded;
};

const FullTable& fullTable()
{
    static const FullTable t;
    return t;
}

void BM_PlainPassOverTable(benchmark::State& state)
{
    const FullTable& t = fullTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(t.table.findCF(QStringLiteral("cuber4321")));
}
BENCHMARK(BM_PlainPassOverTable)->Unit(benchmark::kMillisecond);

// Range 1 to 10000 (one number in 10,000 may win) and the whole 16-bit span.
void BM_DrawOneDrawableFloor(benchmark::State& state)
{
    const FullTable& t = fullTable();
    std::mt19937 rng(1);
    const std::function<float()> rnd = [&rng] { return float(rng() >> 8) / 16777216.0f; };
    const double lo = state.range(0) ? -32768 : 1;
    const double hi = state.range(0) ? 32767 : 10000;
    for (auto _ : state) {
        const threaddraw::Exclusions excluded(QString(), t.excluded);
        benchmark::DoNotOptimize(threaddraw::drawFloor(t.table, lo, hi, excluded, rnd).n);
    }
}
BENCHMARK(BM_DrawOneDrawableFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter([](const std::string&) { return std::string("table"); },
                           [](const std::string& name) { return name.find("PlainPass") != std::string::npos; });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
