#include "threaddraw/floor_table.h"

#include "platform/testing/test_helpers.h"

#include <gtest/gtest.h>

using threaddraw::FloorTable;

TEST(FloorTable, ReportFindAndFullTable)
{
    FloorTable t;
    t.addCuber("amy", "2", "a");
    t.addCuber("bob", "3", "b");
    t.addCuber("amy", "5", "c");
    t.addCuber("cat", "6", "d");
    t.addCuber("amy", "9", "e");
    t.addCuber("bob", "11", "f");
    EXPECT_EQ(t.filledCount(), 6);
    EXPECT_EQ(t.findCF("amy"), 3);
    EXPECT_EQ(t.findCF("Amy"), 0);
    EXPECT_EQ(t.findCF("dan"), 0);
    EXPECT_EQ(t.sxListItems().first(), QStringLiteral("2|amy"));
    EXPECT_EQ(t.cfList(), (QStringList{QString(37, '-'), QStringLiteral("[3]amy →在2 5 9 重复回复"),
                                       QStringLiteral("[2]bob →在3 11 重复回复")}));
    EXPECT_EQ(t.getIndexByName("cat"), 3);
    EXPECT_EQ(t.getIndexByName(""), 6);
    EXPECT_EQ(t.getIndexByName("zed"), -1);

    // A floor without an author takes a slot that the next floor overwrites.
    t.addCuber("", "12", "lost");
    t.addCuber("dan", "13", "g");
    EXPECT_EQ(t.slot(6).floor, QStringLiteral("13"));

    t.clear();
    EXPECT_EQ(t.filledCount(), 0);
    for (int i = 0; i < FloorTable::kSlots + 5; ++i)
        t.addCuber(QStringLiteral("u%1").arg(i), QString::number(i + 1), QString());
    EXPECT_EQ(t.filledCount(), FloorTable::kSlots);
    EXPECT_EQ(t.slot(FloorTable::kSlots - 1).id, QStringLiteral("u9999"));
}
