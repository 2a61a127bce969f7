#include "threaddraw/markers.h"

#include "platform/testing/test_helpers.h"

#include <gtest/gtest.h>

using threaddraw::GetByDiv;
using threaddraw::GetDiv;

TEST(GetDiv, EveryCaseOfTheCut)
{
    EXPECT_EQ(GetDiv(QStringLiteral("12楼. hi"), QString(), QStringLiteral("楼")), QStringLiteral("12"));
    // An absent begin marker of three characters starts the cut at character 3.
    EXPECT_EQ(GetDiv("abcdefghij", "XYZ", "h"), QStringLiteral("cdefg"));
    EXPECT_EQ(GetDiv("x1y x2y", "x", "y"), QStringLiteral("1"));
    EXPECT_EQ(GetDiv("abc", "a", "z"), QString());
    EXPECT_EQ(GetDiv("", "a", "b"), QString());
    EXPECT_EQ(GetDiv("", "", ""), QString());
    EXPECT_EQ(GetDiv("abc", "a", ""), QString());
    EXPECT_EQ(GetDiv("abbc", "a", "b"), QString());  // end marker right behind
    // The end marker is searched only behind the begin marker.
    EXPECT_EQ(GetDiv("]x[y]", "[", "]"), QStringLiteral("y"));
    // An absent begin marker longer than the text.
    EXPECT_EQ(GetDiv("ab", "XYZW", "b"), QString());
    EXPECT_EQ(GetByDiv("x1y x2y", "x", "y"), GetDiv("x1y x2y", "x", "y"));
    EXPECT_EQ(GetByDiv("abcdefghij", "XYZ", "h"), QStringLiteral("cdefg"));
}
