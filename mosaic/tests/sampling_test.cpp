#include "mosaic/sampling.h"
#include "platform/color_value.h"
#include "platform/testing/test_helpers.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace mosaic;

using testing_support::u8;

namespace {


const std::array<ColorValue, 7> kFaceColors{
    199 + 27 * 256 + 39 * 65536, 165 * 256, 255 * 65536, 0xFFFFFF, 255 + 128 * 256, 222 + 222 * 256, 0};

}  // namespace

TEST(SamplingGrid, BothEndsInclusiveWithWhiteOutside)
{
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    SamplingGrid grid(100, 80, 100, 80);
    EXPECT_EQ(grid.rowCount(), 81);
    std::vector<ColorValue> samples;
    grid.sampleRow(picture, 0, samples);
    ASSERT_EQ(samples.size(), 101u);
    EXPECT_EQ(samples[0], 10 + 20 * 256 + 30 * 65536);
    EXPECT_EQ(samples[99], 10 + 20 * 256 + 30 * 65536);
    EXPECT_EQ(samples[100], kWhiteColor);
    grid.sampleRow(picture, 80, samples);
    EXPECT_EQ(samples, std::vector<ColorValue>(101, kWhiteColor));

    // 100 / 40 = 2.5 rounds to 2: 51 columns, as width 50 gives.
    SamplingGrid forty(100, 80, 40, 80);
    EXPECT_EQ(forty.columnStep(), 2);
    forty.sampleRow(picture, 0, samples);
    EXPECT_EQ(samples.size(), 51u);
    EXPECT_EQ(SamplingGrid(100, 80, 50, 80).columnStep(), 2);

    // The width box read again per row: a width that gives no step keeps the last one.
    EXPECT_EQ(forty.updateColumnStep(20), 5);
    EXPECT_EQ(forty.updateColumnStep(0), 5);
    EXPECT_EQ(forty.updateColumnStep(-3), 5);
    EXPECT_EQ(forty.updateColumnStep(1000), 5);
    EXPECT_EQ(forty.updateColumnStep(0.001), 101);  // one column

    // A picture that shrank meanwhile reads white beyond its edge.
    QImage small(10, 10, QImage::Format_RGB32);
    small.fill(0);
    grid.sampleRow(small, 5, samples);
    EXPECT_EQ(samples[9], 0);
    EXPECT_EQ(samples[10], kWhiteColor);
}

TEST(SamplingGrid, SizeChecks)
{
    EXPECT_EQ(checkPatternSize(101, 80, 100, 80), u8("宽高像素值超过图片最大像素值"));
    EXPECT_EQ(checkPatternSize(100.5, 80, 100, 80), u8("宽高像素值超过图片最大像素值"));
    EXPECT_EQ(checkPatternSize(100, 81, 100, 80), u8("宽高像素值超过图片最大像素值"));
    EXPECT_TRUE(checkPatternSize(100, 80, 100, 80).isEmpty());
    EXPECT_EQ(checkPatternSize(0, 80, 100, 80), u8("宽度必须大于0"));
    EXPECT_EQ(checkPatternSize(-4, 80, 100, 80), u8("宽度必须大于0"));
    EXPECT_EQ(checkPatternSize(10, 0, 100, 80), u8("高度必须大于0"));
}

TEST(FaceMatcher, AgreesWithGetFaceRule)
{
    QRandomGenerator rng(7);
    const std::array<double, kFaces> targetSets[3] = {
        {-3, 26, 65, 55, 26, 30}, {0, 0, 0, 0, 0, 0}, {2.5, -1.5, 300, 0.5, 100, 7}};
    for (const auto& targets : targetSets) {
        const FaceMatcher matcher(targets, kFaceColors);
        for (int i = 0; i < 5000; ++i) {
            const ColorValue c = ColorValue(rng.bounded(0x1000000));
            ASSERT_EQ(matcher.face(c), faceOf(c, targets, kFaceColors)) << c;
        }
        EXPECT_EQ(matcher.face(kWhiteColor), faceOf(kWhiteColor, targets, kFaceColors));
    }
}

TEST(PreviewGrid, CellGeometryAndWindowSize)
{
    PreviewGrid grid;  // size 3, gap 1
    QImage img(40, 12, QImage::Format_RGB32);
    img.fill(0);
    drawCell(img, grid, 0, 0, 0x0000FF);
    drawCell(img, grid, 1, 0, 0x00FF00);
    EXPECT_EQ(img.pixel(1, 2), qRgb(0, 0, 0));
    for (int p = 2; p <= 4; ++p) {
        EXPECT_EQ(img.pixel(p, 2), qRgb(255, 0, 0));
        EXPECT_EQ(img.pixel(2, p), qRgb(255, 0, 0));
    }
    EXPECT_EQ(img.pixel(5, 2), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(6, 3), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(8, 3), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(9, 3), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(2, 5), qRgb(0, 0, 0));

    PreviewGrid sep = grid;
    sep.cubeSep = true;
    EXPECT_EQ(grid.cellStart(3), 14);
    EXPECT_EQ(sep.cellStart(3), 15);
    img.fill(0);
    drawCellRow(img, sep, 0, {0, 0, 0, 1}, kFaceColors);
    EXPECT_EQ(img.pixel(14, 3), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(15, 3), qRgb(0, 165, 0));
    EXPECT_EQ(img.pixel(17, 3), qRgb(0, 165, 0));
    EXPECT_EQ(img.pixel(18, 3), qRgb(0, 0, 0));

    // 40 cells of 3 + 1 and a last cell: 163; separators add 40 / 3 = 13.
    EXPECT_EQ(previewSize(grid, 40, 51), QSize(163, 207));
    EXPECT_EQ(previewSize(sep, 40, 40), QSize(176, 176));
    EXPECT_EQ(previewSize(grid, 2.5, 2.5), QSize(13, 13));  // 12.5 rounds to even

    // Grid off: no gap, the first cell starts at pixel 1.
    PreviewGrid off;
    PatternInput in;
    in.gap = 7;
    in.size = 3;
    in.order = 3;
    in.grid = false;
    ASSERT_TRUE(readPreviewGrid(in, off, true).isEmpty());
    EXPECT_EQ(off.gap, 0);
    EXPECT_EQ(off.cellStart(0), 1);
    EXPECT_EQ(off.cellStart(1), 4);
}

TEST(PreviewGrid, RefusedSettings)
{
    PreviewGrid grid;
    PatternInput in;
    in.size = 3;
    in.gap = 1;
    in.order = 0;
    in.cubeSep = true;
    EXPECT_EQ(readPreviewGrid(in, grid, true), u8("魔方阶数必须大于0"));
    in.cubeSep = false;
    EXPECT_TRUE(readPreviewGrid(in, grid, true).isEmpty());
    in.order = 40000;
    EXPECT_EQ(readPreviewGrid(in, grid, false), u8("魔方阶数超出范围"));
    in.order = 3;
    in.size = 32768;
    EXPECT_EQ(readPreviewGrid(in, grid, true), u8("矩形大小超出范围"));
    EXPECT_TRUE(readPreviewGrid(in, grid, false).isEmpty());  // text output: size unused
    in.size = 3;
    in.gap = -40000;
    EXPECT_EQ(readPreviewGrid(in, grid, true), u8("网格间距超出范围"));

    PreviewGrid huge;
    huge.size = 30000;
    EXPECT_EQ(checkPreviewSize(huge, 4000, 3000), u8("预览图片过大"));
    PreviewGrid negative;
    negative.size = -5;
    negative.gap = 0;
    EXPECT_EQ(checkPreviewSize(negative, 10, 10), u8("预览图片尺寸无效"));
    EXPECT_TRUE(checkPreviewSize(PreviewGrid{}, 10, 10).isEmpty());
}

TEST(GeneratePattern, DrawsEveryCellOnTheBackground)
{
    // Left half red, right half blue: with targets 0 each sample goes to its
    // nearest face; the column beyond the picture is white.
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 40));
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 250));
    PreviewGrid grid;
    const QImage out = generatePattern(picture, 4, 2, grid, kWhiteColor, {0, 0, 0, 0, 0, 0}, kFaceColors);
    ASSERT_EQ(out.size(), QSize(4 * 4 + 3, 2 * 4 + 3));
    EXPECT_EQ(out.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(2, 2), qRgb(199, 27, 39));
    EXPECT_EQ(out.pixel(10, 2), qRgb(0, 0, 255));
    EXPECT_EQ(out.pixel(14, 10), qRgb(255, 255, 255));  // third row: beyond the picture, white face

    const QImage black = generatePattern(picture, 4, 2, grid, 0, {0, 0, 0, 0, 0, 0}, kFaceColors);
    EXPECT_EQ(black.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(black.pixel(5, 2), qRgb(0, 0, 0));  // gap
    EXPECT_EQ(black.pixel(18, 2), qRgb(255, 255, 255));  // fifth column, clipped to one pixel
}
