#include "platform/http_request.h"
#include "platform/picture_loader.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"

#include <gtest/gtest.h>

using namespace platform;
using testing_support::LoopbackServer;

namespace {

QString fetch(const QString& url, bool* failed, int timeoutMs = 2000)
{
    HttpRequest r(timeoutMs);
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
    EXPECT_EQ(LoadPicture(server.base() + "/a.jpg", &received, 2000), local);
    EXPECT_EQ(received, jpeg);
    EXPECT_TRUE(LoadPicture(dir.filePath("missing.jpg")).isNull());
    EXPECT_TRUE(LoadPicture(server.base() + "/text", nullptr, 2000).isNull());
    EXPECT_TRUE(LoadPicture(server.base() + "/missing.jpg", nullptr, 2000).isNull());
}
