#include "threaddraw/form1.h"

#include "forum_pages.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace forum_pages;
using testing_support::LoopbackServer;
using threaddraw::Form1;

TEST(PellorinForm, ControlsAndStart)
{
    Form1 form(loopbackSettings(QStringLiteral("http://127.0.0.1:1")));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Pellorin v0.5"));
    EXPECT_EQ(threaddraw::kLogSeparator.size(), 43);
    EXPECT_EQ(form.Text1->text(), QStringLiteral("123"));
    EXPECT_EQ(form.Text2[0]->text(), QStringLiteral("1"));
    EXPECT_EQ(form.Text2[1]->text(), QStringLiteral("100"));
    EXPECT_EQ(form.Command1->text(), QStringLiteral("获取名单"));
    EXPECT_EQ(form.Command2->text(), QStringLiteral("抽奖"));
    EXPECT_EQ(form.Command3[2]->text(), QStringLiteral("获取ID资料"));
    EXPECT_EQ(form.Label1[2]->caption(), QStringLiteral("楼层|ID"));
    form.Form_Load();
    EXPECT_TRUE(form.isVisible());
    const float r = form.rnd();
    EXPECT_GE(r, 0.0f);
    EXPECT_LT(r, 1.0f);
}

TEST(PellorinForm, FloorListLogAndResize)
{
    LoopbackServer server;
    QList<TestFloor> floors = numberedFloors(1, 3);
    floors[1].text = QStringLiteral("line one<br/>line two");
    server.serve("/p/123", threadPage("123", floors, 1));
    Form1 form(loopbackSettings(server.base()));
    form.show();
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    ASSERT_EQ(form.Combo1->count(), 3);
    EXPECT_EQ(form.Combo1->itemText(0), QStringLiteral("1|u1"));
    EXPECT_EQ(form.Combo1->itemText(2), QStringLiteral("3|u3"));
    EXPECT_EQ(form.List3->listCount(), 0);  // filling chose nothing

    form.Combo1->setListIndex(1);
    EXPECT_EQ(form.Text3->text(), QStringLiteral("u2"));
    ASSERT_EQ(form.List3->listCount(), 3);
    EXPECT_EQ(form.List3->list(0), threaddraw::kLogSeparator);
    EXPECT_EQ(form.List3->list(1), QStringLiteral("2|u2"));
    EXPECT_EQ(form.List3->list(2), QStringLiteral("line one\r\nline two"));
    EXPECT_EQ(form.List3->listIndex(), 2);

    // A click on a status line copies it unchanged, time and all.
    QListWidgetItem* item = form.List1->item(1);
    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {}, form.List1->visualItemRect(item).center());
    ASSERT_EQ(form.List3->listCount(), 5);
    EXPECT_EQ(form.List3->list(3), threaddraw::kLogSeparator);
    EXPECT_EQ(form.List3->list(4), form.List1->list(1));
    EXPECT_EQ(form.List3->listIndex(), 4);

    form.resize(form.width(), 500);
    EXPECT_EQ(form.List1->y() + form.List1->height(), 500);
    EXPECT_EQ(form.List3->y() + form.List3->height(), 500);
    const QRect before = form.List1->geometry();
    form.resize(200, 40);
    EXPECT_EQ(form.List1->height(), platform::twipsToPixels(100));
    EXPECT_EQ(form.List3->height(), platform::twipsToPixels(100));
    EXPECT_EQ(form.List1->x(), before.x());
    EXPECT_EQ(form.List1->width(), before.width());
}
