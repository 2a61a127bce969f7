#include "threaddraw/form1.h"
#include "threaddraw/profile.h"

#include "forum_pages.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <gtest/gtest.h>

using namespace forum_pages;
using testing_support::LoopbackServer;
using threaddraw::Form1;

namespace {

QByteArray panelPage(const QString& avatar)
{
    return QStringLiteral("<div class=\"userinfo\">\r\n\t<img class=\"head_img\" src=\"%1\" ><span>\n"
                          "<div class=\"person_info\">男 5年</div><a href=\"/fans\">12</a><a href=\"/concern\">7</a>")
        .arg(avatar)
        .toUtf8();
}

QByteArray homePage(int forums)
{
    QString html = QStringLiteral("<span>吧龄:3.5年</span><span>发贴:1234</span><script>var f=[");
    const QStringList names = {"魔方", "二阶", "三阶", "五阶"};
    for (int i = 0; i < forums; ++i)
        html += QStringLiteral("{\"forum_name\":\"%1\",\"level_id\":%2,\"x\":1},").arg(names[i]).arg(i + 2);
    return (html + "]</script>").toUtf8();
}

QByteArray profilePage()
{
    return QStringLiteral("<span class=\"profile-attr\">性格</span> <span>开朗</span>"
                          "<span class=\"profile-attr\">大学</span><span>某大学</span>"
                          "<span class=\"profile-attr\">生日</span> <span class=\"profile-cnt\">1月1日</span>")
        .toUtf8();
}

QByteArray jpeg()
{
    return testing_support::encodedImage(testing_support::patternImage(8, 8), "JPG");
}

// The three pages of a profile whose avatar is at avatarPath, all answered
// with the given status.
void serveProfile(LoopbackServer& server, const QByteArray& id, int forums, const QByteArray& avatarPath,
                  const QByteArray& status = "200 OK")
{
    const QByteArray type = "text/html; charset=utf-8";
    server.serve("/i/data/panel?un=" + id + "&ie=utf-8&fr=pb", panelPage(server.base() + avatarPath), type, status);
    server.serve("/home/main?un=" + id + "&ie=utf-8&fr=pb", homePage(forums), type, status);
    server.serve("/p/" + id + "/detail", profilePage(), type, status);
}

struct ProfileServer {
    ProfileServer(const QByteArray& id, int forums, bool avatar = true, const QByteArray& status = "200 OK")
    {
        serveProfile(server, id, forums, avatar ? "/av.jpg" : "/no.jpg", status);
        server.serve("/av.jpg", jpeg(), "image/jpeg", status);
        server.serve("/no.jpg", "not a picture");
    }
    LoopbackServer server;
};

QStringList lines(const QString& caption)
{
    return caption.split(QStringLiteral("\r\n"));
}

void run(Form1& form, const LoopbackServer& server, const QString& id)
{
    form.settings.webBase = form.settings.profileBase = server.base();
    form.Text3->setText(id);
    form.Command3_Click(2);
}

}  // namespace

TEST(Profile, FullProfileInOrder)
{
    ProfileServer s("amy", 4);
    Form1 form(loopbackSettings(s.server.base()));
    form.show();
    run(form, s.server, "amy");
    const QStringList l = lines(form.Label2->caption());
    ASSERT_EQ(l.size(), 9);
    EXPECT_TRUE(l[0].endsWith(QStringLiteral(" 获取[amy]的详细资料")));
    EXPECT_EQ(l[0].size(), 8 + QStringLiteral(" 获取[amy]的详细资料").size());
    EXPECT_EQ(l.mid(1), (QStringList{"基本资料：男 5年", "粉丝：12", "关注：7", "吧龄：3.5年", "发贴：1234", "生日：1月1日",
                                     "大学：某大学", "性格：开朗"}));
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    const QStringList c0 = lines(form.Label3[0]->caption());
    ASSERT_EQ(c0.size(), 4);
    EXPECT_EQ(c0.mid(0, 3), (QStringList{"关注的吧：", "[2]魔方", "[5]五阶"}));
    EXPECT_TRUE(c0[3].endsWith(QStringLiteral(" ---资料获取结束---")));
    EXPECT_EQ(form.Label3[1]->caption(), QStringLiteral("\r\n[3]二阶"));
    EXPECT_EQ(form.Label3[2]->caption(), QStringLiteral("\r\n[4]三阶"));
    // The columns' rule holds on the window, where the panel sits.
    const auto windowTop = [&form](const QWidget* w) { return w->mapTo(&form, QPoint()).y(); };
    const int bottom = (windowTop(form.Label2) + form.Label2->height()) * 15;
    for (auto* column : form.Label3)
        EXPECT_EQ(windowTop(column), platform::twipsToPixels(std::max(3420, bottom)));
    EXPECT_FALSE(form.fetchingProfile());
}

TEST(Profile, ForumsColumnsAvatarAndTops)
{
    ProfileServer s("bob", 2, false);
    Form1 form(loopbackSettings(s.server.base()));
    form.show();
    form.Image1->setPixmap(QPixmap::fromImage(testing_support::patternImage(4, 4)));
    platform::placeTwips(form.Label2, 4860, 4500, 4740, 300);
    run(form, s.server, "bob");
    EXPECT_TRUE(form.Image1->pixmap().isNull());
    EXPECT_EQ(lines(form.Label2->caption()).size(), 9);
    EXPECT_EQ(form.Label3[1]->caption(), QStringLiteral("\r\n[3]二阶"));
    EXPECT_EQ(form.Label3[2]->caption(), QString());
    const int bottom = form.Label2->y() + form.Label2->height();
    EXPECT_GT(bottom * 15, 4500);
    for (auto* column : form.Label3)
        EXPECT_EQ(column->y(), bottom);

    ProfileServer none("cat", 0);
    run(form, none.server, "cat");
    EXPECT_EQ(lines(form.Label3[0]->caption()).size(), 2);
    EXPECT_EQ(lines(form.Label3[0]->caption())[0], QStringLiteral("关注的吧："));
    EXPECT_EQ(form.Label3[1]->caption(), QString());
    EXPECT_EQ(form.Label3[2]->caption(), QString());
    EXPECT_TRUE(form.Label2->caption().contains(QStringLiteral("[cat]")));
    EXPECT_FALSE(form.Label2->caption().contains(QStringLiteral("[bob]")));
    EXPECT_EQ(threaddraw::columnTop(3420), 3420);
    EXPECT_EQ(threaddraw::columnTop(3421), 3421);
}

TEST(Profile, FailuresEncodingAndSecondClick)
{
    LoopbackServer server;
    const QByteArray id = "a%20b%26c%23d%2Fe";
    server.serve("/i/data/panel?un=" + id + "&ie=utf-8&fr=pb", panelPage("/etc/passwd"));
    // The home page holds a profile field; the profile page is missing.
    server.serve("/home/main?un=" + id + "&ie=utf-8&fr=pb",
                 "<span class=\"profile-attr\">生日</span> <span class=\"profile-cnt\">x</span>");
    Form1 form(loopbackSettings(server.base(), 400));
    run(form, server, "a b&c#d/e");
    EXPECT_EQ(server.requests, (QStringList{"/i/data/panel?un=" + id + "&ie=utf-8&fr=pb",
                                            "/home/main?un=" + id + "&ie=utf-8&fr=pb", "/p/" + id + "/detail"}));
    const QStringList l = lines(form.Label2->caption());
    EXPECT_EQ(l.mid(1), (QStringList{"基本资料：男 5年", "粉丝：12", "关注：7", "吧龄：年",
                                     // an absent "发贴:" starts the cut at character 3
                                     "发贴：pan class=profile-attr>生日"}));
    EXPECT_TRUE(form.Image1->pixmap().isNull());

    // The panel page never answers: header, then the end line.
    server.silence("/i/data/panel?un=slow&ie=utf-8&fr=pb");
    bool secondRan = false;
    QTimer::singleShot(100, &form, [&] {
        EXPECT_TRUE(form.fetchingProfile());
        form.Command3_Click(2);
        secondRan = true;
    });
    run(form, server, "slow");
    EXPECT_TRUE(secondRan);
    EXPECT_EQ(server.requests.count("/i/data/panel?un=slow&ie=utf-8&fr=pb"), 1);
    EXPECT_EQ(lines(form.Label2->caption()).size(), 1);
    const QStringList c0 = lines(form.Label3[0]->caption());
    ASSERT_EQ(c0.size(), 2);
    EXPECT_TRUE(c0[1].endsWith(QStringLiteral(" ---资料获取结束---")));
    EXPECT_EQ(server.requests.size(), 4);
}

TEST(Profile, PageCutsFromCleanedText)
{
    EXPECT_EQ(threaddraw::cleanPage("a\"b\tc\r\nd\re\nf"), QStringLiteral("abcdef"));
    const auto cols = threaddraw::forumColumns(threaddraw::cleanPage(QString::fromUtf8(homePage(4))));
    EXPECT_EQ(cols[0], (QStringList{"[2]魔方", "[5]五阶"}));
    EXPECT_EQ(threaddraw::encodeId(QStringLiteral("魔")), QStringLiteral("%E9%AD%94"));
}

TEST(Profile, ErrorStatusSlowAndEndlessAnswers)
{
    // Every page and the avatar answered with 404: read like any other page.
    ProfileServer missing("amy", 4, true, "404 Not Found");
    Form1 form(loopbackSettings(missing.server.base(), 1000));
    form.show();
    run(form, missing.server, "amy");
    EXPECT_EQ(lines(form.Label2->caption()).size(), 9);
    EXPECT_EQ(lines(form.Label3[0]->caption()).size(), 4);
    EXPECT_FALSE(form.Image1->pixmap().isNull());

    LoopbackServer server;
    serveProfile(server, "ok", 1, "/av.jpg");
    server.serve("/av.jpg", jpeg(), "image/jpeg");
    // A panel page that trickles one byte every 200 ms: the overall deadline
    // ends it, not the pause between bytes.
    server.trickle("/i/data/panel?un=tri&ie=utf-8&fr=pb", 100000, 200);
    // Avatars that trickle or never end leave no picture; every line follows.
    serveProfile(server, "slowpic", 1, "/slow.jpg");
    server.trickle("/slow.jpg", 100000, 200);
    serveProfile(server, "hugepic", 1, "/huge.jpg");
    server.endless("/huge.jpg", "image/jpeg");
    form.settings.pictureCap = 1 << 20;

    QElapsedTimer clock;
    clock.start();
    run(form, server, "tri");
    EXPECT_LT(clock.elapsed(), 1000 + 2000);
    EXPECT_FALSE(form.fetchingProfile());
    EXPECT_EQ(lines(form.Label2->caption()).size(), 1);
    EXPECT_TRUE(form.Label3[0]->caption().endsWith(QStringLiteral(" ---资料获取结束---")));

    for (const char* id : {"slowpic", "hugepic", "ok"}) {
        SCOPED_TRACE(id);
        form.Image1->setPixmap(QPixmap::fromImage(testing_support::patternImage(4, 4)));
        clock.start();
        run(form, server, QString::fromLatin1(id));
        EXPECT_LT(clock.elapsed(), 1000 + 2000);
        EXPECT_EQ(form.Image1->pixmap().isNull(), QByteArray(id) != "ok");
        EXPECT_EQ(lines(form.Label2->caption()).size(), 9);
        EXPECT_TRUE(form.Label3[0]->caption().endsWith(QStringLiteral(" ---资料获取结束---")));
    }
    EXPECT_LT(server.endlessBytesSent, qint64(40) << 20);  // the client hung up
}
