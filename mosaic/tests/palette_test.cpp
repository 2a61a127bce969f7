#include "mosaic/palette.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

using namespace mosaic;

namespace {

std::array<ColorValue, 7> defaultFaces()
{
    Palette p;
    p.storeTexts();
    p.computeValues();
    std::array<ColorValue, 7> faces{};
    for (int f = 0; f < kFaces; ++f)
        faces[f] = p.colorVal[f * 10];
    return faces;
}

const std::array<double, kFaces> kDefaultTargets{-3, 26, 65, 55, 26, 30};

}  // namespace

TEST(Palette, TablesAndLists)
{
    Palette p;
    p.storeTexts();
    p.computeValues();
    EXPECT_EQ(p.colorVal[1], 238 + 44 * 256 + 162 * 65536);
    EXPECT_EQ(p.colorVal[30], 0xFFFFFF);
    EXPECT_EQ(p.colorVal[3], 0);
    EXPECT_TRUE(p.colorStr[52].isEmpty());
    EXPECT_EQ(faceShadeNames(5), (QStringList{QString::fromUtf8("黄"), QString::fromUtf8("亮黄")}));
    const QStringList all = allShadeNames();
    ASSERT_EQ(all.size(), 17);
    EXPECT_EQ(all.first(), QString::fromUtf8("白"));
    EXPECT_EQ(all[3], QString::fromUtf8("黄"));
    EXPECT_EQ(all.last(), QString::fromUtf8("亮蓝"));
    EXPECT_EQ(slotOfName(QString::fromUtf8("交通蓝")), 21);
    EXPECT_EQ(slotOfName("x"), -1);
}

TEST(Palette, ColourValuesAndDistances)
{
    EXPECT_EQ(STR_to_RGB("000000255"), 255 * 65536);
    EXPECT_THROW(STR_to_RGB("abc"), std::invalid_argument);
    const ColorValue c = 12 + 34 * 256 + 56 * 65536;
    EXPECT_EQ(GetR(c), 12);
    EXPECT_EQ(GetG(c), 34);
    EXPECT_EQ(GetB(c), 56);
    EXPECT_EQ(GetR(-1), -1);
    EXPECT_EQ(GetG(-1), 0);
    EXPECT_EQ(GetB(-1), 0);
    EXPECT_THROW(colorToRGB(-1), std::domain_error);
    EXPECT_EQ(colorDistance(0, 0xFFFFFF), 442);
    EXPECT_EQ(colorDistance(c, c), 0);
    EXPECT_TRUE(colorNear(c, c, 0));
    EXPECT_FALSE(colorNear(c, c, -1));
    EXPECT_EQ(BIN_to_DEC("FF"), 255);
    EXPECT_EQ(BIN_to_DEC("7FFFFFFF"), 2147483647);
    EXPECT_THROW(BIN_to_DEC("100000000"), platform::OverflowError);
    EXPECT_THROW(BIN_to_DEC("ff"), std::invalid_argument);
}

TEST(Palette, FaceMatchingFollowsTheTargetDistances)
{
    const auto faces = defaultFaces();
    // Targets 0: the nearest face colour, ties to the lower face.
    const std::array<double, kFaces> zero{};
    EXPECT_EQ(faceOf(0xFFFFFF, zero, faces), kWhite);
    EXPECT_EQ(faceOf(faces[kOrange], zero, faces), kOrange);
    std::array<ColorValue, 7> same = faces;
    same[kBlue] = same[kGreen];
    EXPECT_EQ(faceOf(same[kGreen], zero, same), kGreen);
    // Default targets: white scores 55 for white and goes to face 3.
    EXPECT_EQ(faceOf(0xFFFFFF, kDefaultTargets, faces), kWhite);
    EXPECT_EQ(faceOf(faces[kGreen], kDefaultTargets, faces), kGreen);
    // Half to even: target 2.5 at distance 0 scores 2, at distance 5 also 2.
    std::array<double, kFaces> t{100, 100, 100, 2.5, 100, 100};
    std::array<ColorValue, 7> grey = faces;
    grey[0] = grey[1] = grey[2] = grey[4] = grey[5] = 0;  // 442 away from white
    grey[3] = 0xFFFFFF;
    t = {440, 440, 440, 2.5, 440, 440};  // the others score 2
    EXPECT_EQ(faceOf(0xFFFFFF, t, grey), kRed);  // 2 vs 2: lower face wins
    t[0] = t[1] = t[2] = t[4] = t[5] = 441;  // others score 1
    EXPECT_EQ(faceOf(0xFFFFFF, t, grey), kRed);
    t[0] = t[1] = t[2] = t[4] = t[5] = 439;  // others score 3
    EXPECT_EQ(faceOf(0xFFFFFF, t, grey), kWhite);
}
