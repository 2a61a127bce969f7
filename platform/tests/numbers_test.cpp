#include "platform/numbers.h"
#include "platform/time_text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Numbers, LeadingNumberReadsTheStartOfATextOnly)
{
    EXPECT_EQ(leadingNumber("131"), 131);
    EXPECT_EQ(leadingNumber("  -3"), -3);
    EXPECT_EQ(leadingNumber("+2.5abc"), 2.5);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("1e3x"), 1000);
    EXPECT_EQ(leadingNumber("12e"), 12);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(leadingNumber("1e999"), 0);  // no infinity leaks out
}

TEST(Numbers, RoundingGoesHalfToEven)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
}

TEST(Numbers, IntegerConversionReportsOverflow)
{
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);  // half to even stays in range
    EXPECT_THROW(toInt16(32767.5), OverflowError);
    EXPECT_THROW(toInt16(std::nan("")), OverflowError);
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_THROW(toInt32(2147483648.0), OverflowError);
    EXPECT_GE(processorCount(), 1);
}

TEST(TimeText, StampsAndFullWidth)
{
    const QDateTime when(QDate(2014, 3, 9), QTime(7, 5, 1));
    EXPECT_EQ(stampName(when), "03092014070501");
    EXPECT_EQ(timeText(QTime(17, 4, 9)), "17:04:09");
    EXPECT_EQ(toFullWidth("RGb 1~"), QString::fromUtf8("ＲＧｂ　１～"));
    EXPECT_EQ(toFullWidth(QString::fromUtf8("红")), QString::fromUtf8("红"));
}
