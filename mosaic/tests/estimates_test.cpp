#include "mosaic/estimates.h"

#include <gtest/gtest.h>

#include "platform/testing/test_helpers.h"

using namespace mosaic;

using testing_support::u8;

namespace {


QString cost(const char* lo, const char* hi)
{
    return u8("造价\r\nCNY ") + lo + "\r\nCNY " + hi;
}

QString size(int w, int h)
{
    return u8("估算大小\r\n") + QString::number(w) + "*" + QString::number(h);
}

}  // namespace

TEST(CostEstimate, CaptionsCutToHundredths)
{
    EXPECT_EQ(costCaption("131", "124"), cost("1012.68", "1734.64"));
    EXPECT_EQ(costCaption("abc", "124"), cost("20", "20"));
    EXPECT_EQ(costCaption("", ""), cost("20", "20"));
    EXPECT_EQ(costCaption("9", "1"), cost("20.55", "20.95"));
    EXPECT_EQ(costCaption(" 9.0x", "1e0"), cost("20.55", "20.95"));
    // Plain decimals, never an exponent.
    EXPECT_EQ(plainDecimal(1e22), "10000000000000000000000");
    EXPECT_EQ(plainDecimal(0.07), "0.07");
    // A number beyond the double range, or a product beyond it, changes nothing.
    EXPECT_EQ(costCaption("1e400", "2"), std::nullopt);
    EXPECT_EQ(costCaption("3", "-1E999"), std::nullopt);
    EXPECT_EQ(costCaption("1e200", "1e200"), std::nullopt);
}

TEST(SizeEstimate, BothBranchesAndRefusals)
{
    // The start picture, 260 x 247.
    EXPECT_EQ(sizeCaption("1000", 260, 247), size(95, 90));
    EXPECT_EQ(sizeCaption("64220", 260, 247), size(260, 247));
    EXPECT_EQ(sizeCaption(" +64220.4 ", 260, 247), size(260, 247));
    EXPECT_EQ(sizeCaption("64219", 260, 247), size(259, 246));
    EXPECT_EQ(sizeCaption("0", 260, 247), size(0, 0));
    EXPECT_EQ(sizeCaption("1e3", 260, 247), size(95, 90));
    // Left as it was: negative funds, no number, beyond 32 bits, height 0.
    EXPECT_EQ(sizeCaption("-5", 260, 247), std::nullopt);
    EXPECT_EQ(sizeCaption("abc", 260, 247), std::nullopt);
    EXPECT_EQ(sizeCaption("", 260, 247), std::nullopt);
    EXPECT_EQ(sizeCaption("12abc", 260, 247), std::nullopt);
    EXPECT_EQ(sizeCaption("1.2.3", 260, 247), std::nullopt);
    EXPECT_EQ(sizeCaption("2147483648", 260, 247), std::nullopt);
    EXPECT_EQ(sizeCaption("1e999", 260, 247), std::nullopt);
    EXPECT_EQ(sizeCaption("1000", 260, 0), std::nullopt);
}

TEST(SizeEstimate, NumericTest)
{
    for (const char* yes : {"1", "-1", "+2.5", ".5", "5.", "1e5", "1E-3", "  7  ", "\t3"})
        EXPECT_TRUE(isNumericText(yes)) << yes;
    for (const char* no : {"", " ", "-", ".", "e5", "1e", "1 2", "1,000", "0x10", "１２"})
        EXPECT_FALSE(isNumericText(QString::fromUtf8(no))) << no;
}
