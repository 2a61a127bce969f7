#include "platform/picture_loader.h"

#include "platform/testing/loopback_server.h"
#include "platform/testing/test_helpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::LoadPicture;
using testing_support::LoopbackServer;

namespace {

// A 1 x 1 GIF whose one pixel is red.
const QByteArray kRedGif = QByteArray::fromHex(
    "474946383961010001008000"
    "00ff0000000000"
    "2c00000000010001000002024401003b");

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(AvatarPictures, FormatsAndNoPictureCases)
{
    QTemporaryDir dir;
    const QImage pattern = testing_support::patternImage(20, 10);
    LoopbackServer server;
    for (const char* format : {"JPG", "PNG", "GIF", "BMP"}) {
        SCOPED_TRACE(format);
        const bool gif = QByteArray(format) == "GIF";  // Qt reads GIF but does not write it
        const QByteArray bytes = gif ? kRedGif : testing_support::encodedImage(pattern, format);
        ASSERT_FALSE(bytes.isEmpty());
        const QString name = QStringLiteral("a.") + QString::fromLatin1(format).toLower();
        writeFile(dir.filePath(name), bytes);
        server.serve("/" + name.toLatin1(), bytes, "image/unknown");
        const QImage local = LoadPicture(dir.filePath(name));
        ASSERT_FALSE(local.isNull());
        EXPECT_EQ(local.size(), gif ? QSize(1, 1) : pattern.size());
        EXPECT_EQ(local.format(), QImage::Format_RGB32);
        EXPECT_EQ(LoadPicture(server.base() + "/" + name, nullptr, platform::pictureRule(2000)), local);
    }
    EXPECT_EQ(LoadPicture(dir.filePath("a.gif")).pixel(0, 0), qRgb(255, 0, 0));
    writeFile(dir.filePath("note.jpg"), "this is no picture");
    EXPECT_TRUE(LoadPicture(dir.filePath("note.jpg")).isNull());
    EXPECT_TRUE(LoadPicture(dir.filePath("missing.jpg")).isNull());
    EXPECT_TRUE(LoadPicture(dir.path()).isNull());
    EXPECT_TRUE(LoadPicture(QString()).isNull());
    server.serve("/page", "<html>no picture</html>");
    EXPECT_TRUE(LoadPicture(server.base() + "/page", nullptr, platform::pictureRule(2000)).isNull());
    server.silence("/slow.jpg");
    EXPECT_TRUE(LoadPicture(server.base() + "/slow.jpg", nullptr, platform::pictureRule(300)).isNull());
}
