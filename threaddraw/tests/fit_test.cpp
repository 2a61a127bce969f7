#include "threaddraw/form1.h"

#include "forum_pages.h"
#include "platform/testing/fit_check.h"
#include "platform/testing/loopback_server.h"

#include <QCoreApplication>
#include <QScrollArea>
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

// Every one of the 14 profile fields, 个人简介 long enough for three lines.
QByteArray profileWithEveryField()
{
    const QStringList fields = {"生日", "血型", "个人简介", "出生地", "居住地", "联系方式", "体型",
                                "婚姻状态", "个人习惯", "教育程度", "当前职业", "大学", "高中", "性格"};
    QString html;
    for (int i = 0; i < fields.size(); ++i) {
        const QString tail = i < 5 ? QStringLiteral("</span> <span class=\"profile-cnt\">")
                             : (fields[i] == "大学" || fields[i] == "高中") ? QStringLiteral("</span><span>")
                                                                            : QStringLiteral("</span> <span>");
        const QString value = fields[i] == "个人简介"
                                  ? QStringLiteral("喜欢三阶速拧和盲拧，平均十二秒，最好成绩九秒八。周末常去杭州的魔方聚会，"
                                                   "也收藏各种异形魔方，欢迎一起交流魔方技巧和比赛心得，更欢迎新手来问问题！")
                                  : fields[i] + QStringLiteral("的内容");
        html += QStringLiteral("<span class=\"profile-attr\">") + fields[i] + tail + value + QStringLiteral("</span>");
    }
    return html.toUtf8();
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

TEST(PellorinFit, EveryLineOfAFullProfileCanBeRead)
{
    LoopbackServer server;
    server.serve("/i/data/panel?un=%E9%AD%94%E6%96%B9%E7%8E%8B&ie=utf-8&fr=pb",
                 QStringLiteral("<div class=\"person_info\">男 6.5年 来自浙江杭州的魔方爱好者，三阶、四阶和五阶都练，"
                                "也喜欢异形</div><a href=\"/fans\">12800</a><a href=\"/concern\">570</a>")
                     .toUtf8());
    server.serve("/home/main?un=%E9%AD%94%E6%96%B9%E7%8E%8B&ie=utf-8&fr=pb", homeWithForums(40));
    server.serve("/p/%E9%AD%94%E6%96%B9%E7%8E%8B/detail", profileWithEveryField());
    Form1 form(loopbackSettings(server.base()));
    form.settings.webBase = form.settings.profileBase = server.base();
    form.show();
    form.Text3->setText(QStringLiteral("魔方王"));
    form.Command3_Click(2);
    settle();
    ASSERT_EQ(form.Label2->caption().count(QStringLiteral("\r\n")), 19);
    EXPECT_TRUE(showsWhole(windowFitProblems(&form)));

    // Every line of the profile text, of each column and the end line: shown
    // whole in its label, and inside what the window shows once scrolled to,
    // clear of the two lists.
    QScrollArea* area = nullptr;
    for (QWidget* p = form.Label2->parentWidget(); p && p != &form; p = p->parentWidget())
        if (auto* a = qobject_cast<QScrollArea*>(p))
            area = a;
    const QRect lists[] = {form.List1->geometry(), form.List3->geometry()};
    for (platform::Label* label : {form.Label2, form.Label3[0], form.Label3[1], form.Label3[2]}) {
        SCOPED_TRACE(label->caption().left(20).toStdString());
        const int needed = label->heightForWidth(label->width());
        EXPECT_GE(label->height(), needed);
        const int step = label->fontMetrics().lineSpacing();
        for (int y = 0; y + step <= needed; y += step) {
            QPoint inParent = label->mapToParent(QPoint(0, y));
            if (area) {
                area->ensureVisible(inParent.x(), inParent.y() + step / 2, 0, step);
                settle();
            }
            const QRect line(label->mapTo(&form, QPoint(0, y)), QSize(label->width(), step));
            const QRect shown = area ? QRect(area->viewport()->mapTo(&form, QPoint()), area->viewport()->size())
                                     : label->parentWidget()->rect();
            ASSERT_TRUE(shown.contains(line)) << y;
            ASSERT_TRUE(form.rect().contains(line)) << y;
            for (const QRect& list : lists)
                ASSERT_FALSE(line.intersects(list)) << y;
        }
    }
    testing_support::saveScreenshot(&form, QStringLiteral("pellorin-profile-end"));
    EXPECT_TRUE(form.Label3[0]->caption().endsWith(QStringLiteral(" ---资料获取结束---")));
    EXPECT_EQ(form.List1->geometry(), QRect(8, 480, 348, 180));
    EXPECT_EQ(form.List3->geometry(), QRect(364, 480, 348, 180));
}
