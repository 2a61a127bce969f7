#include "threaddraw/form1.h"

#include "forum_pages.h"
#include "platform/testing/fit_check.h"
#include "platform/testing/loopback_server.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace forum_pages;
using testing_support::LoopbackServer;
using testing_support::showsWhole;
using testing_support::textFitProblems;
using testing_support::windowFitProblems;
using threaddraw::Form1;

namespace {

// A home page that follows many forums with names of everyday length.
QByteArray homeWithForums(int forums)
{
    const QStringList names = {"魔方", "三阶魔方", "魔方竞速", "异形魔方", "盲拧", "魔方教程", "速拧", "魔方收藏"};
    QString html = QStringLiteral("<span>吧龄:6.5年</span><span>发贴:31415</span><script>var f=[");
    for (int i = 0; i < forums; ++i)
        html += QStringLiteral("{\"forum_name\":\"%1\",\"level_id\":%2,\"x\":1},").arg(names[i % names.size()]).arg(1 + i % 18);
    return (html + QStringLiteral("]</script>")).toUtf8();
}

QByteArray profileWithFields()
{
    return QStringLiteral("<span class=\"profile-attr\">生日</span> <span class=\"profile-cnt\">1995年5月20日</span>"
                          "<span class=\"profile-attr\">居住地</span> <span class=\"profile-cnt\">浙江 杭州</span>"
                          "<span class=\"profile-attr\">当前职业</span> <span>学生</span>")
        .toUtf8();
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

}  // namespace

TEST(PellorinFit, EveryTextShowsWhole)
{
    LoopbackServer server;
    server.serve("/p/123", threadPage("123", numberedFloors(1, 40), 1));
    server.serve("/i/data/panel?un=cuber_2014&ie=utf-8&fr=pb",
                 "<div class=\"person_info\">男 6.5年</div><a href=\"/fans\">128</a><a href=\"/concern\">57</a>");
    server.serve("/home/main?un=cuber_2014&ie=utf-8&fr=pb", homeWithForums(42));
    server.serve("/p/cuber_2014/detail", profileWithFields());
    Form1 form(loopbackSettings(server.base()));
    form.settings.webBase = form.settings.profileBase = server.base();
    form.show();
    settle();
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));

    // A read thread, a log full of entries, and a profile that follows 42 forums.
    form.Command1_Click();
    for (int i = 0; i < 20; ++i)
        form.Combo1->setListIndex(i);
    form.Text3->setText(QStringLiteral("cuber_2014"));
    form.Command3_Click(2);
    settle();
    testing_support::saveScreenshot(&form, QStringLiteral("pellorin"));
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));

    // The log separator needs no sideways scrolling beside the scroll bar.
    EXPECT_TRUE(form.List3->verticalScrollBar()->isVisible());
    EXPECT_EQ(form.List3->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(showsWhole(textFitProblems(form.List3, threaddraw::kLogSeparator)));

    // The end line, with the widest time of day, on one line in column 0.
    const QString endLine = QStringLiteral("\r\n00:00:00 ---资料获取结束---");
    EXPECT_TRUE(form.Label3[0]->caption().endsWith(endLine.mid(10)));
    EXPECT_TRUE(showsWhole(textFitProblems(form.Label3[0], QStringLiteral("关注的吧：") + endLine)));
}
