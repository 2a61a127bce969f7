#include "threaddraw/draw.h"
#include "threaddraw/floor_draw.h"
#include "threaddraw/form1.h"

#include "forum_pages.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"

#include <QTest>
#include <random>
#include <gtest/gtest.h>

using namespace forum_pages;
using testing_support::LoopbackServer;
using threaddraw::Form1;

namespace {

// A window whose table holds floors 2 to 57 by "u2".."u57", with a random
// source that returns the given numbers in turn (the last one repeats).
struct DrawWindow {
    explicit DrawWindow(QList<float> draws) : form(loopbackSettings("http://127.0.0.1:1")), values(std::move(draws))
    {
        form.settings.fixedIds = QStringLiteral("|kelu|darvex|admin|dev|");
        form.ids = QStringLiteral("|vip|");
        form.rnd = [this] {
            ++calls;
            return values[std::min(calls - 1, int(values.size()) - 1)];
        };
    }
    void setAuthor(int floor, const QString& id)
    {
        QList<TestFloor> floors = numberedFloors(2, 57);
        form.cubers.clear();
        authors[floor] = id;
        for (TestFloor& f : floors) {
            const int n = f.floor.toInt();
            form.cubers.addCuber(authors.value(n, f.id), f.floor, f.text);
        }
    }
    QStringList log() const
    {
        QStringList out;
        for (int i = 0; i < form.List3->listCount(); ++i)
            out << form.List3->list(i);
        return out;
    }
    Form1 form;
    QList<float> values;
    QHash<int, QString> authors;
    int calls = 0;
};

QString withoutTime(const QString& line)
{
    return line.mid(8);
}

}  // namespace

TEST(Draw, NumbersAndExclusionText)
{
    EXPECT_EQ(threaddraw::drawNumber(1, 100, 0.0f), 1);
    EXPECT_EQ(threaddraw::drawNumber(1, 100, 0.9999f), 100);
    EXPECT_EQ(threaddraw::drawNumber(5, 3, 0.0f), 5);
    EXPECT_EQ(threaddraw::drawNumber(5, 3, 0.5f), 4);
    EXPECT_EQ(threaddraw::numberText(threaddraw::drawNumber(1e9, 4e9, 0.5f)), QStringLiteral("2500000000"));
    EXPECT_EQ(threaddraw::numberText(-7), QStringLiteral("-7"));
    EXPECT_EQ(threaddraw::numberText(-0.0), QStringLiteral("0"));
    EXPECT_TRUE(threaddraw::Exclusions("|amy|", "|bob|").contains("bob"));
    EXPECT_TRUE(threaddraw::Exclusions("|amy|", "").contains("amy"));
    EXPECT_FALSE(threaddraw::Exclusions("|amy|", "|bob|").contains("amyx"));
    EXPECT_FALSE(threaddraw::Exclusions("|amy|", "|bob|").contains("am"));
}

TEST(Draw, NotFoundExcludedAndWinnerLines)
{
    DrawWindow w({0.795f});
    w.setAuthor(10, "kelu");
    w.form.Command2_Click();
    ASSERT_EQ(w.log().size(), 2);
    EXPECT_EQ(w.log()[0], threaddraw::kLogSeparator);
    EXPECT_EQ(withoutTime(w.log()[1]), QStringLiteral(" ！抽奖→80楼，未找到该楼层"));
    EXPECT_EQ(w.form.Text4->text(), QString());

    // Floors 10 (built-in excluded) and 11 (extra list) are redrawn silently;
    // 12 by "kelux" merely contains an excluded ID and wins.
    DrawWindow x({0.095f, 0.105f, 0.115f});
    x.setAuthor(10, "kelu");
    x.setAuthor(11, "vip");
    x.setAuthor(12, "kelux");
    x.form.Command2_Click();
    EXPECT_EQ(x.calls, 3);
    ASSERT_EQ(x.log().size(), 3);
    EXPECT_EQ(withoutTime(x.log()[1]), QStringLiteral(" 抽奖→12楼 kelux"));
    EXPECT_EQ(x.log()[2], QStringLiteral("kelux →未重复回复"));
    EXPECT_EQ(x.form.List3->listIndex(), 2);
    EXPECT_EQ(x.form.Text3->text(), QStringLiteral("kelux"));
    EXPECT_EQ(x.form.Text4->text(), QStringLiteral("12楼:@kelux \r\n"));

    // A winner with three floors; the line is added to what Text4 held.
    x.values = {0.295f};
    x.calls = 0;
    x.setAuthor(20, "tri");
    x.setAuthor(30, "tri");
    x.setAuthor(40, "tri");
    x.form.Command2_Click();
    EXPECT_EQ(x.form.Text4->text(), QStringLiteral("12楼:@kelux \r\n30楼:@tri →重复回复3次\r\n"));
    EXPECT_EQ(x.log().last(), QStringLiteral("tri →重复回复[3]: 20 30 40 "));
    EXPECT_EQ(x.form.Text4->textCursor().position(), x.form.Text4->toPlainText().size());
}

TEST(Draw, AWinnerWhoseIdHoldsLineBreaksIsLookedUpWhole)
{
    // IDs cut from a malformed page: "amy<br/>x" became "amy\r\nx"; another
    // author is plain "amy", and one ID starts with a line feed.
    DrawWindow w({0.095f});
    w.setAuthor(10, "amy\r\nx");
    w.setAuthor(11, "amy");
    w.setAuthor(12, "\nlf");
    w.setAuthor(30, "amy\r\nx");
    w.form.Command2_Click();
    EXPECT_EQ(w.form.Text3->text(), QStringLiteral("amy\r\nx"));
    EXPECT_EQ(w.log().last(), QStringLiteral("amy\r\nx →重复回复[2]: 10 30 "));

    w.values = {0.115f};
    w.calls = 0;
    w.form.Command2_Click();
    EXPECT_EQ(w.form.Text3->text(), QStringLiteral("\nlf"));
    EXPECT_EQ(w.log().last(), QStringLiteral("\nlf →未重复回复"));

    // The floor list hands the whole ID to Text3 as well.
    w.form.Combo1->fill(w.form.cubers.sxListItems());
    w.form.Combo1->setListIndex(8);  // floor 10
    EXPECT_EQ(w.form.Text3->text(), QStringLiteral("amy\r\nx"));
    w.form.Command3_Click(1);
    EXPECT_EQ(w.log().last(), QStringLiteral("amy\r\nx →重复回复[2]: 10 30 "));
}

TEST(Draw, OddRangesEndCleanly)
{
    DrawWindow w({0.0f, 0.5f});
    w.setAuthor(2, "u2");
    w.form.Text2[0]->setText("5");
    w.form.Text2[1]->setText("3");
    w.form.Command2_Click();
    w.form.Command2_Click();
    EXPECT_EQ(w.form.Text4->text(), QStringLiteral("5楼:@u5 \r\n4楼:@u4 \r\n"));

    // Every floor of the range excluded: the draw gives up with a message.
    DrawWindow x({0.0f, 0.6f});
    x.setAuthor(10, "kelu");
    x.setAuthor(11, "vip");
    x.form.Text2[0]->setText("10");
    x.form.Text2[1]->setText("11");
    x.form.Command2_Click();
    EXPECT_EQ(x.calls, 0);
    ASSERT_EQ(x.log().size(), 2);
    EXPECT_EQ(x.log()[0], threaddraw::kLogSeparator);
    EXPECT_EQ(withoutTime(x.log()[1]), QStringLiteral(" ！抽奖→范围内无可抽取楼层"));

    // Ranges beyond 16 bits: no floor there, the not-found line.
    DrawWindow y({0.5f});
    y.setAuthor(2, "u2");
    y.form.Text2[0]->setText("40000");
    y.form.Text2[1]->setText("99999999999");
    y.form.Command2_Click();
    EXPECT_EQ(withoutTime(y.log().last()), QStringLiteral(" ！抽奖→50000020000楼，未找到该楼层"));
    y.form.Text2[0]->setText("-1e308");
    y.form.Text2[1]->setText("1e308");
    y.form.Command2_Click();
    EXPECT_EQ(y.log().size(), 4);
}

TEST(Draw, ExclusionListFromItsThread)
{
    EXPECT_EQ(threaddraw::cutExclusionList(QStringLiteral("darvex容易|a|b'})\">c|darvex速度")), QStringLiteral("|a|b'})\">c|"));
    LoopbackServer server;
    server.serve("/p/9", QStringLiteral("<p>darvex容易|<a href=go({u:'x1'})\">kelu</a>|<a href=go({u:'x2'})\">bob</a>|"
                                        "<a href=go({u:'x1'})\">kelu</a>|darvex速度</p>")
                             .toUtf8());
    server.serve("/p/8", "<p>nothing here</p>");
    server.serve("/p/6", "<p>darvex容易|amy|darvex速度</p>", "text/html; charset=utf-8", "404 Not Found");
    for (const auto& [path, expected] : {std::pair<QString, QString>{"/p/9", "|kelu|bob|kelu|"},
                                         {"/p/8", ""},
                                         {"/p/6", "|amy|"},
                                         {"/p/7", ""}}) {
        Form1 form(loopbackSettings(server.base()));
        form.settings.exclusionAddress = server.base() + path;
        form.Form_Load();
        EXPECT_TRUE(form.loadingIds());  // fetched once the event loop runs
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form.loadingIds(); }, 3000));
        EXPECT_EQ(form.ids, expected);
        EXPECT_EQ(form.List1->listCount(), 0);
        EXPECT_EQ(form.List3->listCount(), 0);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Pellorin v0.5"));
    }
    Form1 refused(loopbackSettings(server.base()));
    refused.settings.exclusionAddress = QStringLiteral("http://127.0.0.1:1/p/1");
    refused.loadids();
    EXPECT_EQ(refused.ids, QString());
}

TEST(Draw, EveryDrawableFloorCanWin)
{
    // 5,000 floors, all by excluded authors but floor 2500.
    Form1 form(loopbackSettings("http://127.0.0.1:1"));
    QString ids = QStringLiteral("|");
    for (int f = 1; f <= 5000; ++f) {
        const QString id = f == 2500 ? QStringLiteral("王小明") : QStringLiteral("cuber%1").arg(f);
        form.cubers.addCuber(id, QString::number(f), QStringLiteral("顶"));
        if (f != 2500)
            ids += id + QLatin1Char('|');
    }
    form.ids = ids;
    std::mt19937 rng(99);
    int calls = 0;
    form.rnd = [&] {
        ++calls;
        return float(rng() >> 8) / 16777216.0f;
    };
    // One click with the winners box and the log emptied (they only grow):
    // "won", "not found n", or the log's last line.
    const auto click = [&form] {
        form.Text4->setText(QString());
        form.List3->clearList();
        form.Command2_Click();
        if (form.Text4->text() == QStringLiteral("2500楼:@王小明 \r\n"))
            return QStringLiteral("won");
        const QString last = withoutTime(form.List3->list(1));
        if (last.startsWith(QStringLiteral(" ！抽奖→")) && last.endsWith(QStringLiteral("楼，未找到该楼层")))
            return QStringLiteral("not found ") + last.mid(5).chopped(8);
        return last;
    };
    form.Text2[0]->setText("1");
    form.Text2[1]->setText("5000");
    int won = 0;
    for (int i = 0; i < 1000; ++i)
        won += click() == QStringLiteral("won");
    EXPECT_EQ(won, 1000);

    // A range of excluded floors only: the message at once, no number drawn.
    form.Text2[1]->setText("2499");
    calls = 0;
    EXPECT_EQ(click(), QStringLiteral(" ！抽奖→范围内无可抽取楼层"));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(form.List3->listCount(), 2);

    // Beyond the table the numbers give the not-found line, never the message.
    form.Text2[1]->setText("6000");
    won = 0;
    int notFound = 0;
    for (int i = 0; i < 300; ++i) {
        const QString result = click();
        if (result == QStringLiteral("won")) {
            ++won;
        } else {
            const int n = result.mid(10).toInt();
            ASSERT_TRUE(result.startsWith(QStringLiteral("not found ")) && n > 5000 && n <= 6000) << result.toStdString();
            ++notFound;
        }
    }
    EXPECT_GT(notFound, 290);
    EXPECT_EQ(won + notFound, 300);
}
