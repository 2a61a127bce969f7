// Closing pellorin's window while it waits ends the program: its main path
// returns within a second, whichever wait is running.
#include "threaddraw/form1.h"
#include "threaddraw/program.h"

#include "forum_pages.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/program_run.h"
#include "platform/testing/test_helpers.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace forum_pages;
using testing_support::LoopbackServer;
using testing_support::msFromCloseToEnd;
using threaddraw::Form1;

namespace {

// The real deadline: only the close can end these waits in time.
threaddraw::Settings silentForum(const LoopbackServer& server)
{
    threaddraw::Settings s = loopbackSettings(server.base(), platform::kDefaultHttpTimeoutMs);
    s.exclusionAddress = server.base() + "/p/list";
    s.webBase = s.profileBase = server.base();
    return s;
}

Form1& form(QWidget* window)
{
    return *qobject_cast<Form1*>(window);
}

}  // namespace

TEST(PellorinClose, DuringEveryWaitTheProgramEnds)
{
    const auto run = [](const threaddraw::Settings& s) { return [s] { return threaddraw::runProgram(s); }; };
    {
        SCOPED_TRACE("start-up fetch of the exclusion list");
        LoopbackServer server;
        server.silence("/p/list");
        const qint64 ms = msFromCloseToEnd(run(silentForum(server)), {}, 400);
        EXPECT_GE(ms, 0);
        EXPECT_LT(ms, 1000);
        EXPECT_EQ(server.requests, QStringList{"/p/list"});
    }
    {
        SCOPED_TRACE("thread read");
        LoopbackServer server;
        server.serve("/p/list", "<p>darvex容易|x|darvex速度</p>");
        server.serve("/p/123", threadPage("123", numberedFloors(1, 3), 2, "p/123?pn=2"));
        server.silence("/p/123?pn=2");
        const qint64 ms = msFromCloseToEnd(run(silentForum(server)),
                                           [](QWidget* w) { QTest::mouseClick(form(w).Command1, Qt::LeftButton); }, 500);
        EXPECT_GE(ms, 0);
        EXPECT_LT(ms, 1000);
        EXPECT_TRUE(server.requests.contains("/p/123?pn=2"));
    }
    {
        SCOPED_TRACE("profile avatar");
        LoopbackServer server;
        server.serve("/i/data/panel?un=amy&ie=utf-8&fr=pb",
                     ("<img class=\"head_img\" src=\"" + server.base() + "/av.jpg\" ><").toUtf8());
        server.trickle("/av.jpg", 100000, 100);
        const qint64 ms = msFromCloseToEnd(run(silentForum(server)),
                                           [](QWidget* w) {
                                               form(w).Text3->setText("amy");
                                               QTest::mouseClick(form(w).Command3[2], Qt::LeftButton);
                                           },
                                           500);
        EXPECT_GE(ms, 0);
        EXPECT_LT(ms, 1000);
        EXPECT_TRUE(server.requests.contains("/av.jpg"));
    }
}
