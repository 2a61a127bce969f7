// pellorin's work on large pages: the extra exclusion list cut from a page
// with 40,000 links, the duplicate-reply report over 10,000 floors whose
// author IDs are 1,000 characters long (IDs that differ only at their end),
// and long thread reads through the window against a loopback server, whose
// status list grows by a line per page.
#include "platform/testing/loopback_server.h"
#include "threaddraw/draw.h"
#include "threaddraw/floor_table.h"
#include "threaddraw/tests/forum_pages.h"

#include <QElapsedTimer>
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

// A thread of the given page count whose pages loop: the first page and
// every later one link to the second, as a thread whose next-page link never
// ends. Each page holds 30 floors. Reports the page rate over the first and
// over the last 500 pages; a steady read has the two alike.
void BM_LoopingThreadRead(benchmark::State& state)
{
    const int pages = int(state.range(0));
    testing_support::LoopbackServer server;
    const QList<forum_pages::TestFloor> floors = forum_pages::numberedFloors(1, 30);
    server.serve("/p/123", forum_pages::threadPage("123", floors, pages, "p/123?pn=2"));
    server.serve("/p/123?pn=2", forum_pages::threadPage("123", floors, pages, "p/123?pn=2"));
    double first = 0, last = 0;
    for (auto _ : state) {
        threaddraw::Form1 form(forum_pages::loopbackSettings(server.base(), 10000));
        form.show();
        QElapsedTimer clock;
        clock.start();
        qint64 at500 = 0, atLast500 = 0;
        QObject::connect(form.List1->model(), &QAbstractItemModel::rowsInserted, [&] {
            const int lines = form.List1->listCount();
            if (lines == 500)
                at500 = clock.nsecsElapsed();
            else if (lines == pages - 500)
                atLast500 = clock.nsecsElapsed();
        });
        form.Command1_Click();
        const qint64 end = clock.nsecsElapsed();
        first = 500 / (double(at500) / 1e9);
        last = 500 / (double(end - atLast500) / 1e9);
        if (form.cubers.filledCount() == 0)
            state.SkipWithError("the read stored no floor");
    }
    state.counters["first_500_pages_per_s"] = first;
    state.counters["last_500_pages_per_s"] = last;
    state.SetItemsProcessed(state.iterations() * pages);
}
BENCHMARK(BM_LoopingThreadRead)->Arg(3000)->Arg(6000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
