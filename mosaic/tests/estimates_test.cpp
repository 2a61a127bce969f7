#include "mosaic/estimates.h"

#include "platform/numbers.h"
#include "platform/testing/test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>

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

TEST(SizeEstimate, RatioInDoublePrecision)
{
    // k * ratio * 3 and k * k * ratio lie on a half here: a single-precision
    // ratio rounds them the other way.
    EXPECT_EQ(sizeCaption("375", 100, 240), size(38, 90));
    EXPECT_EQ(sizeCaption("50", 3, 600), size(2, 300));
}

TEST(SizeEstimate, VeryTallPicturesFinish)
{
    // k starts at 17,000,000, above 2^24, where a single-precision counter
    // no longer goes down.
    EXPECT_EQ(sizeCaption("1000", 1, 51000000), size(0, 677664));
    EXPECT_EQ(sizeCaption("0", 1, 51000000), size(0, 15147));
    EXPECT_EQ(sizeCaption("2147483647", 1, 200000000), size(1, 200000000));
    EXPECT_EQ(sizeCaption("2147483647", 200000000, 1), size(200000000, 1));
    EXPECT_EQ(sizeCaption("99999999", 4, 50000000), size(4, 49999998));
}

TEST(SizeEstimate, SameAsCountingDownEveryStep)
{
    // The count starts near the answer; every k from the top gives the same.
    auto counted = [](int32_t funds, float w, float h) -> std::optional<QString> {
        const double ratio = double(w) / h;
        if (double(h) * w <= funds)
            return size(int(w), int(h));
        for (int64_t k = int64_t(std::floor(platform::roundHalfEven(h) / 3)); k >= 0; --k)
            if (platform::roundHalfEven(double(k) * double(k) * ratio) <= funds)
                return size(int(platform::roundHalfEven(double(k) * ratio * 3)), int(platform::roundHalfEven(double(k) * 3)));
        return std::nullopt;
    };
    for (int w : {0, 1, 3, 7, 100, 260, 1000})
        for (int h : {1, 2, 5, 247, 600, 999})
            for (int funds : {0, 1, 2, 49, 50, 51, 374, 375, 1000, 5000, 64219}) {
                const QString text = QString::number(funds);
                EXPECT_EQ(sizeCaption(text, float(w), float(h)), counted(funds, float(w), float(h)))
                    << w << " x " << h << " for " << funds;
            }
}
