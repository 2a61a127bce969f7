#include "threaddraw/form1.h"
#include "threaddraw/thread_reader.h"

#include "forum_pages.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace forum_pages;
using testing_support::LoopbackServer;
using threaddraw::Form1;

namespace {

const QStringList kCompleteTail = {QStringLiteral("读取完成"), QStringLiteral("刷新列表"), QStringLiteral("检查重复"),
                                   QString(37, '-')};

}  // namespace

TEST(ThreadReader, PageTextsAreCut)
{
    const QString page = threaddraw::normalizePage(QString::fromUtf8(
        threadPage("123", {{"2", "amy", "hi<br/>there&#160;!"}}, 3, "p/123?pn=2&amp;x=1")));
    EXPECT_EQ(threaddraw::pageCountOf(QString::fromUtf8(threadPage("123", {}, 3, "p/1"))), QStringLiteral("3"));
    EXPECT_EQ(threaddraw::pageCountOf(QString::fromUtf8(threadPage("123", {}, 1))), QStringLiteral("1"));
    const auto floors = threaddraw::floorsOf(page, [] { return QStringLiteral("123"); });
    ASSERT_EQ(floors.size(), 1);
    EXPECT_EQ(floors[0].id, QStringLiteral("amy"));
    EXPECT_EQ(floors[0].floor, QStringLiteral("2"));
    EXPECT_EQ(floors[0].text, QStringLiteral("hi\r\nthere !"));
    EXPECT_EQ(threaddraw::nextPageAddress(page, "http://h/"), QStringLiteral("http://h/p/123?pn=2&x=1"));
    EXPECT_TRUE(threaddraw::isThreadNumber("3488426195"));
    EXPECT_FALSE(threaddraw::isThreadNumber("12 3"));
    EXPECT_FALSE(threaddraw::isThreadNumber(""));
}

TEST(ThreadReader, OnePageThread)
{
    LoopbackServer server;
    server.serve("/p/123", threadPage("123", numberedFloors(1, 3), 1));
    Form1 form(loopbackSettings(server.base()));
    form.Command1_Click();
    EXPECT_EQ(messages(form), QStringList{QStringLiteral("获取帖子信息")} + kCompleteTail +
                                  QStringList{QStringLiteral("获取过程完成")});
    EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral(" 获取过程完成")));
    EXPECT_EQ(form.Combo1->count(), 3);
    EXPECT_EQ(form.Text2[1]->text(), QStringLiteral("3"));
    EXPECT_EQ(form.List3->listCount(), 0);
}

TEST(ThreadReader, ThreePagesByNextLinksWithDuplicateReport)
{
    LoopbackServer server;
    QList<TestFloor> p1 = numberedFloors(1, 4), p2 = numberedFloors(5, 8), p3 = numberedFloors(9, 10);
    p1[1].id = p2[0].id = p3[0].id = QStringLiteral("bob");  // floors 2, 5 and 9
    server.serve("/p/123", threadPage("123", p1, 3, "p/123?pn=2&amp;x=1"));
    server.serve("/p/123?pn=2&x=1", threadPage("123", p2, 3, "p/123?pn=3&amp;x=1"));
    server.serve("/p/123?pn=3&x=1", threadPage("123", p3, 3));
    Form1 form(loopbackSettings(server.base()));
    form.Command1_Click();
    EXPECT_EQ(messages(form),
              (QStringList{QStringLiteral("获取帖子信息"), QStringLiteral("读取第2/3页"), QStringLiteral("读取第3/3页")} +
               kCompleteTail +
               QStringList{QStringLiteral("[3]bob →在2 5 9 重复回复"), QStringLiteral("获取过程完成")}));
    EXPECT_EQ(form.cubers.filledCount(), 10);
    EXPECT_EQ(form.Text2[1]->text(), QStringLiteral("10"));
    EXPECT_EQ(form.Combo1->itemText(1), QStringLiteral("2|bob"));
    EXPECT_EQ(form.Combo1->itemText(9), QStringLiteral("10|u10"));
}

TEST(ThreadReader, ReadsEndingShortKeepTheirFloors)
{
    LoopbackServer server;
    server.serve("/p/1", threadPage("1", numberedFloors(1, 3), 4, "p/1?pn=2"));
    server.serve("/p/1?pn=2", threadPage("1", numberedFloors(4, 5), 4, "p/1?pn=3", false));
    server.serve("/p/2", threadPage("2", numberedFloors(1, 3), 4, "p/2?pn=2"));
    server.serveRaw("/p/2?pn=2", "garbage, no answer at all");
    server.serve("/p/3", threadPage("3", numberedFloors(1, 2), 4, "p/3?pn=2"));
    server.silence("/p/3?pn=2");
    // A next-page link but no page counter: the count is no number.
    server.serve("/p/4", QByteArray(threadPage("4", numberedFloors(1, 2), 4, "p/4?pn=2")).replace("第1/", "x"));

    struct Case {
        QString base, thread;
        int floors;
    };
    const QList<Case> cases = {{server.base(), "1", 5},
                               {server.base(), "2", 3},
                               {server.base(), "3", 2},
                               {server.base(), "4", 2},
                               {QStringLiteral("http://127.0.0.1:1"), "5", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thread.toStdString());
        Form1 form(loopbackSettings(c.base, 400));
        form.Text1->setText(c.thread);
        QStringList titles;
        QObject::connect(&form, &QWidget::windowTitleChanged, [&](const QString& t) { titles << t.mid(9); });
        form.Command1_Click();
        EXPECT_TRUE(titles.contains(QStringLiteral("！未完整读取贴子楼层")));
        const QStringList m = messages(form);
        ASSERT_GE(m.size(), 2);
        EXPECT_TRUE(m.contains(QStringLiteral("！未完整读取贴子楼层")));
        EXPECT_FALSE(m.contains(QStringLiteral("读取完成")));
        EXPECT_EQ(m.last(), QStringLiteral("获取过程完成"));
        ASSERT_EQ(form.List3->listCount(), 1);
        EXPECT_TRUE(form.List3->list(0).endsWith(QStringLiteral(" ！未完整读取贴子楼层")));
        EXPECT_EQ(form.cubers.filledCount(), c.floors);
        EXPECT_EQ(form.Combo1->count(), c.floors);
        EXPECT_EQ(form.Text2[1]->text(), c.floors ? QString::number(c.floors) : QString());
    }
}

TEST(ThreadReader, ThreadNumberTrimmedOrEndedAsAFailedFetchAndSecondClickWhileWaiting)
{
    LoopbackServer server;
    server.serve("/p/123", threadPage("123", numberedFloors(1, 2), 1));
    server.silence("/p/77");
    Form1 form(loopbackSettings(server.base(), 600));
    form.Text1->setText(" 123\t");  // blanks around a number, as pasted
    form.Command1_Click();
    ASSERT_EQ(form.cubers.filledCount(), 2);  // authors cut with the trimmed number
    EXPECT_EQ(form.Text2[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(server.requests, QStringList{"/p/123"});

    // Anything but digits: the read starts, then ends as a failed first fetch
    // would, and nothing typed reaches an address.
    for (const char* typed : {"12a", "1 23", "../x", "123?pn=2", "１２３"}) {
        SCOPED_TRACE(typed);
        form.List3->addListItem("old log");
        form.Text1->setText(QString::fromUtf8(typed));
        form.Command1_Click();
        EXPECT_EQ(messages(form), (QStringList{QStringLiteral("获取帖子信息"), QStringLiteral("！未完整读取贴子楼层"),
                                               QStringLiteral("刷新列表"), QStringLiteral("检查重复"), QString(37, '-'),
                                               QStringLiteral("获取过程完成")}));
        EXPECT_EQ(form.cubers.filledCount(), 0);
        EXPECT_EQ(form.Combo1->count(), 0);
        ASSERT_EQ(form.List3->listCount(), 1);
        EXPECT_TRUE(form.List3->list(0).endsWith(QStringLiteral(" ！未完整读取贴子楼层")));
        EXPECT_EQ(form.Text2[1]->text(), QString());
        EXPECT_EQ(server.requests.size(), 1);
    }

    form.Text1->setText("77");
    bool secondRan = false;
    QTimer::singleShot(100, &form, [&] {
        EXPECT_TRUE(form.reading());
        form.Command1_Click();
        secondRan = true;
    });
    form.Command1_Click();
    EXPECT_TRUE(secondRan);
    EXPECT_EQ(server.requests.count(QStringLiteral("/p/77")), 1);
    EXPECT_FALSE(form.reading());
}

TEST(ThreadReader, ErrorStatusSlowAndEndlessPages)
{
    LoopbackServer server;
    // An error status with a valid one-page thread is a page like any other.
    server.serve("/p/404", threadPage("404", numberedFloors(1, 3), 1), "text/html; charset=utf-8", "404 Not Found");
    // A first page that trickles one byte every 200 ms, and one that never
    // ends: the deadline and the cap end them as failed fetches.
    server.trickle("/p/5", 100000, 200);
    server.endless("/p/6");
    Form1 form(loopbackSettings(server.base(), 1000));
    form.settings.pageCap = 1 << 20;

    form.Text1->setText("404");
    form.Command1_Click();
    EXPECT_EQ(form.cubers.filledCount(), 3);
    EXPECT_TRUE(messages(form).contains(QStringLiteral("读取完成")));

    for (const char* thread : {"5", "6"}) {
        SCOPED_TRACE(thread);
        form.Text1->setText(thread);
        QElapsedTimer clock;
        clock.start();
        form.Command1_Click();
        EXPECT_LT(clock.elapsed(), 1000 + 2000);
        EXPECT_FALSE(form.reading());
        EXPECT_TRUE(messages(form).contains(QStringLiteral("！未完整读取贴子楼层")));
        EXPECT_EQ(form.cubers.filledCount(), 0);

        // The button works again.
        form.Text1->setText("404");
        form.Command1_Click();
        EXPECT_EQ(form.cubers.filledCount(), 3);
    }
    EXPECT_GT(server.endlessBytesSent, 1 << 20);
    EXPECT_LT(server.endlessBytesSent, qint64(40) << 20);  // the client hung up
}

TEST(ThreadReader, PagesInEveryLabelOfTheirCharset)
{
    // A one-page thread whose author and text are Chinese, served in the
    // encoding a label names, with no byte-order mark.
    const QString page = QString::fromUtf8(
        threadPage("123", {{"1", QStringLiteral("魔方达人"), QStringLiteral("濮鸿静")}, {"2", "bob", "hi"}}, 1));
    const auto utf16 = [&page](bool bigEndian) {
        QByteArray bytes;
        for (const QChar c : page) {
            const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
            bytes += bigEndian ? hi : lo;
            bytes += bigEndian ? lo : hi;
        }
        return bytes;
    };
    struct Case {
        const char* label;
        QByteArray body;
    };
    QList<Case> cases;
    for (const char* label : {"chinese", "csiso58gb231280", "gb_2312-80", "iso-ir-58", "GB2312", " x-gbk ", "csgb2312"})
        cases.append({label, platform::encodeAnsi(page)});
    for (const char* label : {"unicode", "ucs-2", "csunicode", "iso-10646-ucs-2", "unicodefeff", "utf-16", "UTF-16LE"})
        cases.append({label, utf16(false)});
    for (const char* label : {"unicodefffe", "utf-16be"})
        cases.append({label, utf16(true)});
    for (const char* label : {"unicode-1-1-utf-8", "x-unicode20utf8", "utf8"})
        cases.append({label, page.toUtf8()});

    LoopbackServer server;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.serve("/p/123", c.body, QByteArray("text/html; charset=") + c.label);
        Form1 form(loopbackSettings(server.base()));
        form.Command1_Click();
        ASSERT_EQ(form.cubers.filledCount(), 2);
        EXPECT_EQ(form.cubers.slot(0).id, QStringLiteral("魔方达人"));
        EXPECT_EQ(form.cubers.slot(0).text, QStringLiteral("濮鸿静"));
        EXPECT_TRUE(messages(form).contains(QStringLiteral("读取完成")));
    }
}

TEST(ThreadReader, AFailedFetchSaysWhy)
{
    LoopbackServer server;
    server.serve("/p/123", threadPage("123", numberedFloors(1, 2), 3, "p/123?pn=2"));
    server.silence("/p/123?pn=2");
    server.endless("/p/9");
    struct Case {
        QString base, thread, failure;
        int floors;
    };
    const QList<Case> cases = {
        {QStringLiteral("http://127.0.0.1:1"), "123", QStringLiteral("！读取第1页失败：连接被拒绝"), 0},
        {server.base(), "123", QStringLiteral("！读取第2页失败：超时"), 2},
        {server.base(), "9", QStringLiteral("！读取第1页失败：回应过大"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure.toStdString());
        Form1 form(loopbackSettings(c.base, 500));
        form.settings.pageCap = 1 << 16;
        form.Text1->setText(c.thread);
        QStringList titles;
        QObject::connect(&form, &QWidget::windowTitleChanged, [&](const QString& t) { titles << t.mid(9); });
        form.Command1_Click();
        const QStringList m = messages(form);
        const qsizetype at = m.indexOf(c.failure);
        ASSERT_GE(at, 0) << m.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(titles.contains(c.failure));
        EXPECT_EQ(m.mid(at + 1, 2), (QStringList{QStringLiteral("！未完整读取贴子楼层"), QStringLiteral("刷新列表")}));
        EXPECT_EQ(m.last(), QStringLiteral("获取过程完成"));
        EXPECT_EQ(form.cubers.filledCount(), c.floors);
    }
}
