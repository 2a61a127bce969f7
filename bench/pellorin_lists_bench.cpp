// pellorin's work on large pages: the extra exclusion list cut from a page
// with 40,000 links, and the duplicate-reply report over 10,000 floors whose
// author IDs are 1,000 characters long (IDs that differ only at their end).
#include "threaddraw/draw.h"
#include "threaddraw/floor_table.h"

#include <QString>
#include <benchmark/benchmark.h>

namespace {

QString exclusionPage(int links)
{
    QString page = QStringLiteral("<div>darvex容易|");
    for (int i = 0; i < links; ++i)
        page += QStringLiteral("<a href=go({u:'id%1'})\">name%1</a>|").arg(i);
    return page + QStringLiteral("darvex速度</div>");
}

void BM_ExclusionList40000Links(benchmark::State& state)
{
    const QString page = exclusionPage(40000);
    for (auto _ : state) {
        const QString ids = threaddraw::cutExclusionList(page);
        benchmark::DoNotOptimize(ids.size());
    }
}
BENCHMARK(BM_ExclusionList40000Links)->Unit(benchmark::kMillisecond);

// A hostile page: 40,000 link openings inside each other, then their closes,
// after a link whose address went first.
void BM_ExclusionList40000NestedLinks(benchmark::State& state)
{
    const QString page = QStringLiteral("darvex容易<a href=A'})\">x|") + QStringLiteral("<a href=A").repeated(40000) +
                         QStringLiteral("'})\">").repeated(40000) + QStringLiteral("darvex速度");
    for (auto _ : state) {
        const QString ids = threaddraw::cutExclusionList(page);
        benchmark::DoNotOptimize(ids.size());
    }
}
BENCHMARK(BM_ExclusionList40000NestedLinks)->Unit(benchmark::kMillisecond);

void BM_DuplicateReport10000Floors(benchmark::State& state)
{
    threaddraw::FloorTable table;
    const QString prefix(994, QLatin1Char('x'));
    for (int i = 0; i < threaddraw::FloorTable::kSlots; ++i)  // 1,000 authors with two floors
        table.addCuber(prefix + QStringLiteral("%1").arg(i % 9000, 6, 10, QLatin1Char('0')), QString::number(i + 1),
                       QString());
    for (auto _ : state) {
        const QStringList lines = table.cfList();
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_DuplicateReport10000Floors)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
