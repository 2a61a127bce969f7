#include "threaddraw/draw.h"
#include "threaddraw/floor_draw.h"

#include <QMap>
#include <gtest/gtest.h>
#include <random>

using threaddraw::drawFloor;
using threaddraw::DrawResult;
using threaddraw::Exclusions;
using threaddraw::FloorTable;

namespace {

// The window's generator: 24-bit steps of a seeded Mersenne twister.
struct Generator {
    explicit Generator(uint32_t seed) : rng(seed) {}
    float operator()()
    {
        ++calls;
        return float(rng() >> 8) / 16777216.0f;
    }
    std::mt19937 rng;
    int calls = 0;
};

// What a draw ended with: the number for a winner or a not-found line,
// "-" for nothing to draw.
QString outcome(const FloorTable& table, const DrawResult& r)
{
    switch (r.kind) {
    case DrawResult::Kind::Winner:
        return threaddraw::numberText(r.n) + QLatin1Char('@') + table.slot(r.slot).id;
    case DrawResult::Kind::NotFound:
        return threaddraw::numberText(r.n);
    case DrawResult::Kind::NothingToDraw:
        break;
    }
    return QStringLiteral("-");
}

}  // namespace

TEST(FloorDraw, ExclusionsMatchTheTextTest)
{
    const Exclusions ex(QStringLiteral("|amy|"), QStringLiteral("|bob|c|d"));
    for (const char* id : {"amy", "bob", "c", "d", "am", "amyx", "amy||bob", "bob|c", "|", "x|y"})
        EXPECT_EQ(ex.contains(id), QStringLiteral("|amy||bob|c|d").contains(u'|' + QString(id) + u'|')) << id;
}

TEST(FloorDraw, UniformOverTheNumbersThatAreNotExcludedFloors)
{
    // Floors 1 to 100; only every tenth is by an author who may win. The
    // range 1 to 110 leaves 20 numbers: 10 winners and 10 not-found lines.
    FloorTable table;
    QString ids = QStringLiteral("|");
    for (int f = 1; f <= 100; ++f) {
        const QString id = (f % 10 ? QStringLiteral("x%1") : QStringLiteral("w%1")).arg(f);
        table.addCuber(id, QString::number(f), QString());
        if (f % 10)
            ids += id + QLatin1Char('|');
    }
    const Exclusions ex(QString(), ids);
    Generator rnd(2024);
    QMap<QString, int> counts;
    const int draws = 20000;
    for (int i = 0; i < draws; ++i)
        ++counts[outcome(table, drawFloor(table, 1, 110, ex, std::ref(rnd)))];
    ASSERT_EQ(counts.size(), 20) << counts.keys().join(' ').toStdString();
    for (int f = 10; f <= 100; f += 10)
        EXPECT_TRUE(counts.contains(QStringLiteral("%1@w%1").arg(f)));
    for (int n = 101; n <= 110; ++n)
        EXPECT_TRUE(counts.contains(QString::number(n)));
    double chiSquare = 0;
    const double expected = draws / 20.0;
    for (const int c : counts)
        chiSquare += (c - expected) * (c - expected) / expected;
    EXPECT_LT(chiSquare, 43.8);  // 19 degrees of freedom, p = 0.001
}

TEST(FloorDraw, FirstFloorOfANumberDecidesAndOddWeightsStay)
{
    // Floor 7 first by an excluded author, then by one who may win: 7 stays
    // excluded. Floor 8 first by one who may win.
    FloorTable table;
    table.addCuber("x", "7", "");
    table.addCuber("w", "8", "");
    table.addCuber("w", "7", "");
    table.addCuber("x", "8", "");
    const Exclusions ex("|x|", "");
    Generator rnd(5);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(outcome(table, drawFloor(table, 7, 8, ex, std::ref(rnd))), QStringLiteral("8@w"));

    // Every number of the range an excluded floor: nothing, and no number is drawn.
    Generator none(6);
    EXPECT_EQ(outcome(table, drawFloor(table, 7, 7, ex, std::ref(none))), QStringLiteral("-"));
    EXPECT_EQ(none.calls, 0);

    // hi below lo: 8 - r gives 8 only for r = 0, one step in 2^24, else 7.
    // With 7 excluded, 8 is still drawn, as endless redrawing would.
    Generator odd(7);
    EXPECT_EQ(outcome(table, drawFloor(table, 8, 6, ex, std::ref(odd))), QStringLiteral("8@w"));
    table.clear();
    table.addCuber("x", "8", "");
    table.addCuber("w", "7", "");
    Generator rare(8);
    int eights = 0;
    for (int i = 0; i < 2000; ++i)
        eights += outcome(table, drawFloor(table, 8, 6, ex, std::ref(rare))) != QStringLiteral("7@w");
    EXPECT_EQ(eights, 0);
    // Decimal bounds: 7.5 + r * 1.5 gives 7 a third of the time, else 8.
    table.clear();
    table.addCuber("x", "8", "");
    Generator dec(9);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(outcome(table, drawFloor(table, 7.5, 8, ex, std::ref(dec))), QStringLiteral("7"));
}

TEST(FloorDraw, WideAndEndlessRanges)
{
    // The whole 16-bit span, every floor of the table excluded but one.
    FloorTable table;
    for (int f = 1; f <= FloorTable::kSlots; ++f)
        table.addCuber(f == 4321 ? QStringLiteral("w") : QStringLiteral("x"), QString::number(f), QString());
    const Exclusions ex("|x|", "");
    Generator rnd(11);
    int found = 0;
    for (int i = 0; i < 500; ++i) {
        const DrawResult r = drawFloor(table, -32768, 32767, ex, std::ref(rnd));
        ASSERT_NE(r.kind, DrawResult::Kind::NothingToDraw);
        ASSERT_FALSE(r.n >= 1 && r.n <= FloorTable::kSlots && r.n != 4321) << r.n;
        found += r.kind == DrawResult::Kind::Winner;
    }
    EXPECT_LT(found, 5);  // one number in 55537

    Generator far(12);
    EXPECT_EQ(outcome(table, drawFloor(table, 1, 1e300, ex, std::ref(far))).size() > 250, true);
    EXPECT_EQ(outcome(table, drawFloor(table, -1e308, 1e308, ex, std::ref(far))), QStringLiteral("inf"));
    const Exclusions all("|x|w|", "");
    EXPECT_EQ(outcome(table, drawFloor(table, 1, 10000, all, std::ref(far))), QStringLiteral("-"));
}
