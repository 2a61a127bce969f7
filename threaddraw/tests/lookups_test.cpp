#include "threaddraw/form1.h"
#include "threaddraw/lookups.h"

#include "forum_pages.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"

#include <gtest/gtest.h>

using namespace forum_pages;
using testing_support::LoopbackServer;
using threaddraw::Form1;

namespace {

void fill(Form1& form)
{
    for (const TestFloor& f : numberedFloors(2, 57))
        form.cubers.addCuber(f.floor == "15" || f.floor == "3" || f.floor == "27" ? QStringLiteral("tri") : f.id,
                             f.floor, f.text);
}

}  // namespace

TEST(Lookups, FloorAndIdQueries)
{
    Form1 form(loopbackSettings("http://127.0.0.1:1"));
    form.Text3->setText("5");
    form.Command3_Click(0);  // nothing stored yet
    EXPECT_EQ(form.List3->listCount(), 0);
    fill(form);

    form.Command3_Click(0);
    ASSERT_EQ(form.List3->listCount(), 1);
    EXPECT_EQ(form.List3->list(0), QStringLiteral("u5 →未重复回复"));
    for (const char* miss : {"05", " 5", "5 ", "58"}) {
        form.Text3->setText(miss);
        form.Command3_Click(0);
    }
    EXPECT_EQ(form.List3->listCount(), 1);
    EXPECT_EQ(form.List3->listIndex(), 0);

    form.Text3->setText("15");
    form.Command3_Click(0);
    EXPECT_EQ(form.List3->list(1), QStringLiteral("tri →重复回复[3]: 3 15 27 "));
    form.Text3->setText("tri");
    form.Command3_Click(1);
    EXPECT_EQ(form.List3->list(2), QStringLiteral("tri →重复回复[3]: 3 15 27 "));
    form.Text3->setText("Tri");
    form.Command3_Click(1);
    form.Command3_Click(7);
    EXPECT_EQ(form.List3->listCount(), 3);
    EXPECT_EQ(form.List3->listIndex(), 2);
}

TEST(Lookups, HiddenModeTouchesOnlyTheProfileText)
{
    LoopbackServer server;
    Form1 form(loopbackSettings(server.base()));
    form.settings.webBase = form.settings.profileBase = server.base();
    fill(form);
    form.ids = QStringLiteral("|a||b|");
    form.Label3[1]->setCaption("keep");
    form.Text3->setText(threaddraw::kHiddenCode);
    for (int i = 0; i < 3; ++i) {
        form.Label2->setCaption("old");
        form.Command3_Click(i);
        EXPECT_EQ(form.Label2->caption(), QStringLiteral("\r\na\r\n\r\nb\r\n"));
    }
    EXPECT_EQ(form.List3->listCount(), 0);
    EXPECT_EQ(form.Label3[1]->caption(), QStringLiteral("keep"));
    EXPECT_TRUE(server.requests.isEmpty());

    // The draw's lookup of a winner whose ID is the code.
    form.cubers.clear();
    form.cubers.addCuber(threaddraw::kHiddenCode, "1", "t");
    form.rnd = [] { return 0.0f; };
    form.Label2->setCaption("old");
    form.Command2_Click();
    EXPECT_EQ(form.List3->listCount(), 2);
    EXPECT_EQ(form.Label2->caption(), QStringLiteral("\r\na\r\n\r\nb\r\n"));

    // With a trailing blank it is an ordinary query.
    form.cubers.addCuber(threaddraw::kHiddenCode + " ", "2", "t");
    form.Text3->setText(threaddraw::kHiddenCode + " ");
    form.Command3_Click(1);
    EXPECT_EQ(form.List3->list(form.List3->listCount() - 1), threaddraw::kHiddenCode + QStringLiteral("  →未重复回复"));
    form.Command3_Click(2);
    // The missing pages answer 404; their bodies are read as pages.
    ASSERT_EQ(server.requests.size(), 3);
    EXPECT_EQ(server.requests[0], QStringLiteral("/i/data/panel?un=kelu%7C7021%7C48396%20&ie=utf-8&fr=pb"));
}
