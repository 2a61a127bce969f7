#include "mosaic/tone_curve.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace mosaic;

namespace {

// Spline value at a level, from the segment that covers it last.
float splineValueAt(const ToneCurve& c, int level)
{
    float value = NAN;
    for (int i = 1; i < c.nPoints; ++i)
        if (boxRound(c.ptX[i]) <= level && level <= boxRound(c.ptX[i + 1]))
            value = c.splineAt(i, static_cast<float>(level));
    return value;
}

}  // namespace

TEST(ToneCurve, StartsOnTheDiagonalWithAnIdentityTable)
{
    ToneCurve c;
    ASSERT_EQ(c.nPoints, 3);
    ASSERT_EQ(c.ptX.size(), 4u);
    EXPECT_EQ(c.ptX[0], 0.0f);
    EXPECT_EQ(c.ptX[1], 0.0f);
    EXPECT_EQ(c.ptY[1], 255.0f);
    EXPECT_EQ(c.ptX[2], 128.0f);
    EXPECT_EQ(c.ptY[2], 127.0f);
    EXPECT_EQ(c.ptX[3], 256.0f);
    EXPECT_EQ(c.ptY[3], -1.0f);
    c.rebuildTable();
    for (int x = 0; x <= 255; ++x)
        ASSERT_EQ(c.curveY(x), 255 - x) << x;
    EXPECT_EQ(c.curveY(256), 1);   // -1 clamped up
    EXPECT_EQ(c.curveY(-1), 255);  // flat start
    EXPECT_EQ(c.curveMinX, 0);
    EXPECT_EQ(c.curveMaxX, 256);
    EXPECT_EQ(c.ptM[1], 0.0f);
    EXPECT_EQ(c.ptM[3], 0.0f);
    const ToneTable lut = toneLut(c.curveY);
    for (int i = 0; i <= 255; ++i)
        ASSERT_EQ(lut[i], i) << i;
}

TEST(ToneCurve, FindPointIsExclusiveAndPrefersTheLowestSlot)
{
    ToneCurve c;
    EXPECT_EQ(c.findPoint(5, 255), 1);
    EXPECT_EQ(c.findPoint(6, 255), -1);  // exactly 6 is no hit
    EXPECT_EQ(c.findPoint(124, 131), 2);
    EXPECT_EQ(ToneCurve::GetDist(0, 0, 3, 4), 5.0f);
    // Two points 4 units apart: a click between them takes the lower slot.
    ASSERT_EQ(c.addPoint(132, 127), 3);
    EXPECT_EQ(c.findPoint(130, 127), 2);
    EXPECT_EQ(c.findPoint(133, 127), 2);
    EXPECT_EQ(c.findPoint(135, 127), 3);
    EXPECT_EQ(c.pointWithX(132), 3);
    EXPECT_EQ(c.pointWithX(132.5f), -1);
}

TEST(ToneCurve, AddsPointsInOrderUpToThirtyTwo)
{
    ToneCurve c;
    EXPECT_EQ(c.addPoint(-2, 40), 1);  // left of the first
    EXPECT_EQ(c.ptX[2], 0.0f);
    EXPECT_EQ(c.ptY[2], 255.0f);
    EXPECT_EQ(c.addPoint(258, 60), 5);  // right of the last, kept above 256
    EXPECT_EQ(c.nPoints, 5);
    EXPECT_EQ(c.addPoint(64, 10), 3);
    for (int i = 1; i < c.nPoints; ++i)
        EXPECT_LT(c.ptX[i], c.ptX[i + 1]);
    EXPECT_EQ(c.ptM.size(), 7u);
    c.rebuildTable();
    EXPECT_EQ(c.curveMinX, -1);  // levels outside the table skipped
    EXPECT_EQ(c.curveMaxX, 256);
    for (int x = -1; x <= 256; ++x) {
        EXPECT_GE(c.curveY(x), 0);
        EXPECT_LE(c.curveY(x), 255);
    }

    ToneCurve full;
    for (int k = 0; full.nPoints < 32; ++k)
        ASSERT_GT(full.addPoint(3.0f + 4 * k, 0), 0);
    EXPECT_EQ(full.addPoint(250, 0), -1);
    EXPECT_EQ(full.nPoints, 32);
    EXPECT_EQ(full.ptX.size(), 33u);
}

TEST(ToneCurve, DragRulesKeepOrderAndRanges)
{
    ToneCurve c;
    c.movePoint(1, 200, 100);  // not left of point 2 (128): x stays, y follows
    EXPECT_EQ(c.ptX[1], 0.0f);
    EXPECT_EQ(c.ptY[1], 100.0f);
    c.movePoint(2, 230, 50);
    c.movePoint(1, 200, 100);
    EXPECT_EQ(c.ptX[1], 200.0f);
    c.rebuildTable();
    for (int x = -1; x < 200; ++x)
        ASSERT_EQ(c.curveY(x), 100) << x;  // flat start

    c.movePoint(3, 256, 20);  // the last point never reaches 256 again
    EXPECT_EQ(c.ptX[3], 256.0f);
    EXPECT_EQ(c.ptY[3], 20.0f);
    c.movePoint(3, 255, 20);
    EXPECT_EQ(c.ptX[3], 255.0f);
    c.movePoint(3, 256, 20);
    EXPECT_EQ(c.ptX[3], 255.0f);
    c.rebuildTable();
    EXPECT_EQ(c.curveY(256), c.curveY(255));

    c.movePoint(2, 220, 300);  // y outside: x follows, y stays
    EXPECT_EQ(c.ptX[2], 220.0f);
    EXPECT_EQ(c.ptY[2], 50.0f);
    c.movePoint(2, 221, -0.5f);
    EXPECT_EQ(c.ptX[2], 221.0f);
    EXPECT_EQ(c.ptY[2], 50.0f);
    c.movePoint(2, 200, 60);  // meeting a neighbour is refused
    EXPECT_EQ(c.ptX[2], 221.0f);
    EXPECT_EQ(c.ptY[2], 60.0f);
    c.movePoint(1, -0.1f, 60);
    EXPECT_EQ(c.ptX[1], 200.0f);
    c.movePoint(1, 0, 60);
    EXPECT_EQ(c.ptX[1], 0.0f);
}

TEST(ToneCurve, OvershootIsClampedTo254And1)
{
    ToneCurve c;
    c.movePoint(2, 40, 255);
    ASSERT_EQ(c.addPoint(80, 0), 3);
    ASSERT_EQ(c.addPoint(120, 255), 4);
    c.rebuildTable();
    int high = 0;
    int low = 0;
    for (int x = 0; x <= 255; ++x) {
        const float y = splineValueAt(c, x);
        if (y > 255) {
            ++high;
            EXPECT_EQ(c.curveY(x), 254) << x;
        } else if (y < 0) {
            ++low;
            EXPECT_EQ(c.curveY(x), 1) << x;
        } else {
            EXPECT_EQ(c.curveY(x), boxRound(y)) << x;
        }
    }
    EXPECT_GT(high, 0);
    EXPECT_GT(low, 0);
}

TEST(ToneCurve, OutputTable)
{
    CurveTable rows;
    for (int seed = 0; seed < 5; ++seed) {
        for (int x = -1; x <= 256; ++x)
            rows(x) = static_cast<int16_t>(1 + (x * 37 + seed * 101) % 254);
        const ToneTable lut = toneLut(rows);
        EXPECT_EQ(lut[0], 0);
        EXPECT_EQ(lut[255], 255);
    }
    // Level 100 one row below the diagonal: plain exponent.
    rows(100) = 156;
    EXPECT_EQ(toneLut(rows)[100], std::nearbyint(255 * std::pow(100 / 255.0, 157.0 / 156)));
    // Far below: the exponent is raised to 1.5.
    rows(100) = 200;
    const double e = std::pow(201.0 / 156, 1.5);
    EXPECT_EQ(toneLut(rows)[100], std::nearbyint(255 * std::pow(100 / 255.0, e)));
    // Above the diagonal brightens.
    rows(100) = 50;
    EXPECT_GT(toneLut(rows)[100], 100);
}

TEST(ToneCurve, TableLookupLeavesPaddingAndSpareRow)
{
    PixelBuffer2D b;
    b.stride = 12;  // width 3
    b.rows = 3;
    b.bytes.assign(36, 7);
    ToneTable lut{};
    lut[7] = 9;
    applyToneLut(b, 3, 2, lut);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 12; ++col)
            EXPECT_EQ(b(col, row), row < 2 && col < 9 ? 9 : 7) << col << "," << row;
}
