#include "platform/http_request.h"
#include "platform/picture_loader.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace platform;
using testing_support::LoopbackServer;

namespace {

QString fetch(const QString& url, bool* failed, int timeoutMs = 2000)
{
    RequestRule rule;
    rule.deadlineMs = timeoutMs;
    HttpRequest r(rule);
    r.open("get", url);
    r.send();
    r.waitUntilDone();
    EXPECT_EQ(r.readyState(), 4);
    *failed = r.failed();
    return r.responseText();
}

QByteArray jpegBytes()
{
    return testing_support::encodedImage(testing_support::patternImage(16, 12), "JPG");
}

}  // namespace

TEST(HttpRequest, TextByCharsetAndEveryFailureReachesStateFour)
{
    LoopbackServer server;
    server.serve("/u", QString::fromUtf8("魔方 a&b").toUtf8());
    server.serve("/g", QByteArray("\xC4\xA7\xB7\xBD"), "text/html; charset=GBK");
    server.serveRaw("/garbage", "not http at all");
    server.silence("/silent");
    bool failed = true;
    EXPECT_EQ(fetch(server.base() + "/u", &failed), QString::fromUtf8("魔方 a&b"));
    EXPECT_FALSE(failed);
    EXPECT_EQ(fetch(server.base() + "/g", &failed), QString::fromUtf8("魔方"));
    fetch(server.base() + "/garbage", &failed);
    EXPECT_TRUE(failed);
    fetch(server.base() + "/silent", &failed, 300);
    EXPECT_TRUE(failed);
    fetch("http://127.0.0.1:1/refused", &failed);
    EXPECT_TRUE(failed);
    fetch("not an address", &failed);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(server.requests.contains("/silent"));
}

TEST(HttpRequest, EachCharsetByItsOwnDecoderAndMarksWithoutOne)
{
    // U+20000 takes four bytes in GB18030; "€" is A2 E3 there (GBK has it at 80).
    const QByteArray gb18030("\x95\x32\x82\x36\xA2\xE3\xC4\xA7\xB7\xBD", 10);
    const QString wide = QString::fromUtf8("\xF0\xA0\x80\x80€魔方");
    LoopbackServer server;
    server.serve("/gb18030", gb18030, "text/html; charset=GB18030");
    server.serve("/quoted", gb18030, "text/html; Charset=\"gb18030\"");
    server.serve("/gbk", "\x80\xC4\xA7", "text/html; charset=gbk");
    // A UTF-16LE page with its mark and no charset; a UTF-8 page with its mark.
    server.serve("/utf16", QByteArray("\xFF\xFE\x54\x9B\xB9\x65\x41\x00", 8), "text/html");
    server.serve("/utf16be", QByteArray("\xFE\xFF\x9B\x54\x00\x41", 6), "text/html");
    server.serve("/utf8bom", "\xEF\xBB\xBF" + QString::fromUtf8("魔方").toUtf8(), "text/html");
    server.serve("/plain", QString::fromUtf8("魔方").toUtf8(), "text/html");
    bool failed = true;
    EXPECT_EQ(fetch(server.base() + "/gb18030", &failed), wide);
    EXPECT_EQ(fetch(server.base() + "/quoted", &failed), wide);
    EXPECT_EQ(fetch(server.base() + "/gbk", &failed), QString::fromUtf8("€魔"));
    EXPECT_EQ(fetch(server.base() + "/utf16", &failed), QString::fromUtf8("魔方A"));
    EXPECT_EQ(fetch(server.base() + "/utf16be", &failed), QString::fromUtf8("魔A"));
    EXPECT_EQ(fetch(server.base() + "/utf8bom", &failed), QString::fromUtf8("魔方"));
    EXPECT_EQ(fetch(server.base() + "/plain", &failed), QString::fromUtf8("魔方"));
    EXPECT_FALSE(failed);

    // Bytes GB18030 cannot read become U+FFFD and decoding goes on; so does a
    // character cut off at the end.
    const QString bad = decodeCharset(QByteArray("a\xFF\x95\x32" "b\x81", 6), "GB18030");
    EXPECT_EQ(bad, QStringLiteral("a\uFFFD\uFFFD2b\uFFFD"));
    EXPECT_EQ(decodeCharset(QByteArray(), "gb18030"), QString());
    // A charset nobody knows reads as UTF-8, unless a mark says otherwise.
    EXPECT_EQ(decodeCharset(QString::fromUtf8("魔").toUtf8(), "x-unknown"), QString::fromUtf8("魔"));
    EXPECT_EQ(decodeCharset(QByteArray("\xFF\xFE\x54\x9B", 4), "x-unknown"), QString::fromUtf8("魔"));
    EXPECT_EQ(decodeCharset(QByteArray("\x82\xA0", 2), "Shift_JIS"), QString::fromUtf8("あ"));
}

TEST(HttpRequest, CharsetLabelsAsBrowsersReadThem)
{
    EXPECT_STREQ(charsetForLabel(" Chinese\t")->name, "GBK");
    EXPECT_STREQ(charsetForLabel("ISO-IR-58")->name, "GBK");
    EXPECT_STREQ(charsetForLabel("unicodeFEFF")->name, "UTF-16LE");
    EXPECT_STREQ(charsetForLabel("latin1")->name, "windows-1252");
    EXPECT_FALSE(charsetForLabel("x-none"));
    EXPECT_FALSE(charsetForLabel("utf 8"));
    EXPECT_EQ(decodeCharset("\xCF\xF0\xE8", "cp1251"), QString::fromUtf8("При"));
    EXPECT_EQ(decodeCharset("\xA4\x40", "big5"), QString::fromUtf8("一"));
    EXPECT_EQ(decodeCharset("a\x80", "x-user-defined"), QStringLiteral("a\uF780"));
    EXPECT_EQ(decodeCharset("<p>x</p>", "iso-2022-kr"), QStringLiteral("\uFFFD"));
    // A byte-order mark goes before the label.
    EXPECT_EQ(decodeCharset("\xEF\xBB\xBF\xE9\xAD\x94", "gbk"), QString::fromUtf8("魔"));
    EXPECT_EQ(decodeCharset(QByteArray("\xFE\xFF\x9B\x54", 4), "unicode"), QString::fromUtf8("魔"));
}

TEST(PictureLoader, LocalAndServedPicturesMatchAndFailuresGiveNoPicture)
{
    QTemporaryDir dir;
    const QByteArray jpeg = jpegBytes();
    QFile f(dir.filePath("a.jpg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(jpeg);
    f.close();
    LoopbackServer server;
    server.serve("/a.jpg", jpeg, "image/jpeg");
    server.serve("/text", "<html>no picture</html>");
    const QImage local = LoadPicture(dir.filePath("a.jpg"));
    ASSERT_FALSE(local.isNull());
    QByteArray received;
    EXPECT_EQ(LoadPicture(server.base() + "/a.jpg", &received, pictureRule(2000)), local);
    EXPECT_EQ(received, jpeg);
    EXPECT_TRUE(LoadPicture(dir.filePath("missing.jpg")).isNull());
    EXPECT_TRUE(LoadPicture(server.base() + "/text", nullptr, platform::pictureRule(2000)).isNull());
    EXPECT_TRUE(LoadPicture(server.base() + "/missing.jpg", nullptr, platform::pictureRule(2000)).isNull());
}

TEST(HttpRequest, ErrorStatusIsAPageAndOverCapIsAFailure)
{
    LoopbackServer server;
    server.serve("/gone", "<p>页面不存在</p>", "text/html; charset=utf-8", "404 Not Found");
    server.serve("/broken", "<p>oops</p>", "text/html", "500 Internal Server Error");
    server.serve("/ten", "0123456789");
    server.serve("/eleven", "0123456789A");
    bool failed = true;
    EXPECT_EQ(fetch(server.base() + "/gone", &failed), QString::fromUtf8("<p>页面不存在</p>"));
    EXPECT_FALSE(failed);
    EXPECT_EQ(fetch(server.base() + "/broken", &failed), QStringLiteral("<p>oops</p>"));
    EXPECT_FALSE(failed);

    RequestRule tenBytes;
    tenBytes.maxBytes = 10;
    EXPECT_EQ(fetchUrl(server.base() + "/ten", tenBytes).body, QByteArray("0123456789"));
    const Fetched over = fetchUrl(server.base() + "/eleven", tenBytes);
    EXPECT_TRUE(over.failed);
    EXPECT_TRUE(over.body.isEmpty());
}

TEST(HttpRequest, TrickleEndlessAndStopAllEnd)
{
    LoopbackServer server;
    // One byte a second: each byte comes well within the deadline, the whole
    // answer never does.
    server.trickle("/trickle", 1000, 1000);
    server.endless("/page");
    server.endless("/picture.jpg", "image/jpeg");
    server.silence("/silent");

    QElapsedTimer clock;
    clock.start();
    RequestRule rule;
    rule.deadlineMs = 2500;
    EXPECT_TRUE(fetchUrl(server.base() + "/trickle", rule).failed);
    EXPECT_GE(clock.elapsed(), 2400);
    EXPECT_LT(clock.elapsed(), 2500 + 2000);

    // Endless answers end at the cap, and the client hangs up.
    RequestRule page;
    page.maxBytes = qint64(4) << 20;
    EXPECT_TRUE(fetchUrl(server.base() + "/page", page).failed);
    EXPECT_GT(server.endlessBytesSent, page.maxBytes);
    EXPECT_LT(server.endlessBytesSent, page.maxBytes + (qint64(32) << 20));
    const qint64 afterPage = server.endlessBytesSent;
    RequestRule picture = pictureRule();
    picture.maxBytes = qint64(2) << 20;
    QByteArray bytes = "old";
    EXPECT_TRUE(LoadPicture(server.base() + "/picture.jpg", &bytes, picture).isNull());
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_GT(server.endlessBytesSent - afterPage, picture.maxBytes);
    EXPECT_LT(server.endlessBytesSent - afterPage, picture.maxBytes + (qint64(32) << 20));

    // The real caps, 64 MiB for a page and 16 MiB for a picture, refuse an
    // answer that announces more before any of it arrives.
    for (const auto& [rule, cap] : {std::pair{RequestRule{}, kPageBodyCap}, std::pair{pictureRule(), kPictureBodyCap}}) {
        for (const qint64 length : {cap, cap + 1}) {
            const QByteArray path = "/announced" + QByteArray::number(length);
            server.serveRaw(path, "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(length) + "\r\n\r\nabc");
            HttpRequest r(rule);
            r.open("get", server.base() + QString::fromLatin1(path));
            r.send();
            r.waitUntilDone();
            EXPECT_EQ(r.readyState(), 4);
            EXPECT_EQ(r.failed() && r.errorText() == QStringLiteral("回应过大"), length > cap) << length;
        }
    }

    // The stop test ends a wait at once, and a request stopped before its
    // wait never waits.
    clock.start();
    RequestRule stopping;
    stopping.stop = [&clock] { return clock.elapsed() > 200; };
    EXPECT_TRUE(fetchUrl(server.base() + "/silent", stopping).failed);
    EXPECT_LT(clock.elapsed(), 200 + 500);
    stopping.stop = [] { return true; };
    clock.start();
    EXPECT_TRUE(fetchUrl(server.base() + "/silent", stopping).failed);
    EXPECT_LT(clock.elapsed(), 200);
}

TEST(HttpRequest, TheWaitSleeps)
{
    LoopbackServer server;
    server.silence("/silent");
    RequestRule rule;
    rule.deadlineMs = 2000;
    rule.stop = [] { return false; };
    const auto cpuSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    EXPECT_TRUE(fetchUrl(server.base() + "/silent", rule).failed);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = double(clock.elapsed()) / 1000.0;
    EXPECT_GE(wall, 1.9);
    EXPECT_LT(cpu, wall / 10) << "cpu " << cpu << " s over a wait of " << wall << " s";
    std::printf("silent wait: %.3f s wall, %.3f s cpu\n", wall, cpu);
}
