#include "compdraw/converter_form.h"
#include "compdraw/converter_program.h"
#include "platform/testing/file_size_limit.h"
#include "platform/testing/loopback_server.h"
#include "platform/testing/program_run.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace compdraw;
using compdraw::convert::Form1;

using testing_support::u8;
using testing_support::writeBytes;

namespace {



QString row(const QString& name, const QString& gender, const QString& id = {})
{
    const QString cell = id.isEmpty()
                             ? name
                             : u8("<a href=\"https://www.worldcubeassociation.org/results/p.php?i=") + id + u8("\">") + name + u8("</a>");
    return u8("<tr class=\"r\"><td>1</td><td>") + cell + u8("</td><td>") + gender + u8("</td></tr>");
}

QString page(const QStringList& rows)
{
    return u8("<html>\r\n<table>\r\n") + rows.join(u8("\r\n")) + u8("\r\n</table>\r\n");
}

bool isStatus(const QString& caption, const QString& message)
{
    static const QRegularExpression time(QStringLiteral(" [0-2][0-9]:[0-5][0-9]:[0-5][0-9]$"));
    return caption.startsWith(message) && time.match(caption).hasMatch() && caption.size() == message.size() + 9;
}

QByteArray jpeg(int seed)
{
    return testing_support::encodedImage(testing_support::patternImage(8 + seed, 8), "JPG");
}

QStringList listItems(const Form1& w)
{
    QStringList items;
    for (int i = 0; i < w.List1->listCount(); ++i)
        items << w.List1->list(i);
    return items;
}

}  // namespace

TEST(ConverterWindow, ConvertsTheSavedPage)
{
    QTemporaryDir dir;
    Form1 w(dir.path());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Brimlet"));
    EXPECT_EQ(w.Label1->caption(), QStringLiteral("Brimletv20141211"));
    EXPECT_EQ(w.Check1->value(), 2);
    EXPECT_EQ(w.Check5->value(), 0);

    const QString text = page({row(u8("张三"), u8("男"), QStringLiteral("2009ABCD01")), row(u8("李四"), u8("女")),
                               u8("<tr class=\"x\"><td>short</td></tr>")});
    writeBytes(dir.filePath("cubing.txt"), platform::encodeAnsi(text));
    const QByteArray expected = platform::encodeAnsi(u8("张三+M+2009ABCD01\r\n李四+F\r\n"));
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")), expected);
        EXPECT_EQ(listItems(w), QStringList({QStringLiteral("2009ABCD01")}));
        EXPECT_TRUE(isStatus(w.Label1->caption(), u8("名单转换完成"))) << w.Label1->caption().toStdString();
    }

    // The same page saved by a browser as UTF-8 with a byte-order mark.
    QFile::remove(dir.filePath("list.txt"));
    writeBytes(dir.filePath("cubing.txt"), "\xEF\xBB\xBF" + text.toUtf8());
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")), expected);

    writeBytes(dir.filePath("cubing.txt"), {});
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(dir.filePath("list.txt")));
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")), QByteArray());
    EXPECT_EQ(w.List1->listCount(), 0);
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("名单转换完成")));
}

TEST(ConverterWindow, FailuresKeepTheOldList)
{
    QTemporaryDir dir;
    Form1 w(dir.path());
    const QByteArray old = platform::encodeAnsi(u8("旧名单+M\r\n"));
    writeBytes(dir.filePath("list.txt"), old);

    QTest::mouseClick(w.Command1, Qt::LeftButton);  // no cubing.txt
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("读取cubing.txt失败"))) << w.Label1->caption().toStdString();
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")), old);

    // The disk fills part-way, or the last step of the save fails: the old
    // list stays, the status names the system's reason, no IDs are listed.
    QString names;
    for (int i = 0; i < 2000; ++i)
        names += row(u8("选手") + QString::number(i), u8("男"), QStringLiteral("2009ABCD01"));
    writeBytes(dir.filePath("cubing.txt"), page({names}).toUtf8());
    {
        testing_support::FileSizeLimit limit(4096);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
    }
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("写入list.txt失败：") + QString::fromLocal8Bit(std::strerror(EFBIG))))
        << w.Label1->caption().toStdString();
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")), old);
    EXPECT_EQ(w.List1->listCount(), 0);
    platform::failNextCommitForTesting(ENOSPC);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("写入list.txt失败：") + QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << w.Label1->caption().toStdString();
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"cubing.txt", "list.txt"}));
}

TEST(ConverterWindow, NamesAsTheDesktopWritesThem)
{
    QTemporaryDir dir;
    Form1 w(dir.path());
    // A GBK page of names whose bytes happen to be valid UTF-8.
    writeBytes(dir.filePath("cubing.txt"),
               platform::encodeAnsi(page({row(u8("郑伟"), u8("男")), row(u8("谢强"), u8("男"), QStringLiteral("2010XIEQ01")),
                                          row(u8("肖英"), u8("女")), row(u8("袁平"), u8("女"))})));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")),
              platform::encodeAnsi(u8("郑伟+M\r\n谢强+M+2010XIEQ01\r\n肖英+F\r\n袁平+F\r\n")));

    // Names GBK cannot hold are written with "?", the rest of the list whole;
    // a WCA row too short for an ID keeps its "+" and its (empty) line.
    const QString wcaNoId = u8("<tr class=\"r\"><td>4</td><td>周八</td><td>男</td>"
                               "<td><a href=\"https://www.worldcubeassociation.org/\">WCA</a></td></tr>");
    writeBytes(dir.filePath("cubing.txt"),
               page({row(u8("Łukasz Nowak"), u8("男"), QStringLiteral("2012NOWA01")), row(u8("김민준"), u8("男")),
                     row(u8("张三•"), u8("女")), wcaNoId, row(u8("甲😀"), u8("男"), QStringLiteral("2009ABCD01"))})
                   .toUtf8());
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")),
              QByteArray("?ukasz Nowak+M+2012NOWA01\r\n???+M\r\n") + platform::encodeAnsi(u8("张三")) + "?+F\r\n" +
                  platform::encodeAnsi(u8("周八")) + "+M+\r\n" + platform::encodeAnsi(u8("甲")) + "?+M+2009ABCD01\r\n");
    EXPECT_EQ(listItems(w), (QStringList{"2012NOWA01", "", "2009ABCD01"}));
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("名单转换完成")));
}

TEST(ConverterWindow, AvatarCache)
{
    testing_support::LoopbackServer server;
    QTemporaryDir outer;
    ASSERT_TRUE(QDir(outer.path()).mkpath("app/DATA"));
    const QString folder = outer.filePath("app");
    const QByteArray existing = "kept as it was";
    writeBytes(folder + "/DATA/2009AAAA01.jpg", existing);
    const QByteArray second = jpeg(1), third = jpeg(2);
    server.serve("/results/upload/a2009BBBB01.jpg", "no picture", "image/jpeg");
    server.serve("/results/upload/a2009CCCC01.jpg", second, "image/jpeg");
    server.serve("/results/upload/a2009DDDD01.jpg", third, "image/jpeg");

    Form1 w(folder, convert::ConverterSettings{server.base(), 3000});
    writeBytes(folder + "/cubing.txt",
               platform::encodeAnsi(page({row(u8("甲"), u8("男"), QStringLiteral("2009AAAA01")),
                                          row(u8("乙"), u8("男"), QStringLiteral("2009BBBB01")),
                                          row(u8("丙"), u8("女"), QStringLiteral("2009CCCC01")),
                                          row(u8("丁"), u8("女"), QStringLiteral("../../evil")),
                                          row(u8("戊"), u8("女"), QStringLiteral("2009DDDD01"))})));
    QTest::mouseClick(w.Check5, Qt::LeftButton);
    ASSERT_EQ(w.Check5->value(), 1);

    QStringList seen;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (seen.isEmpty() || seen.last() != w.Label1->caption())
            seen << w.Label1->caption();
    });
    sampler.start(0);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    sampler.stop();

    EXPECT_EQ(listItems(w).size(), 5);
    EXPECT_EQ(server.requests, QStringList({"/results/upload/a2009BBBB01.jpg", "/results/upload/a2009CCCC01.jpg",
                                            "/results/upload/a2009DDDD01.jpg"}));
    EXPECT_EQ(testing_support::fileBytes(folder + "/DATA/2009AAAA01.jpg"), existing);
    EXPECT_FALSE(QFile::exists(folder + "/DATA/2009BBBB01.jpg"));
    EXPECT_EQ(testing_support::fileBytes(folder + "/DATA/2009CCCC01.jpg"), second);
    EXPECT_EQ(testing_support::fileBytes(folder + "/DATA/2009DDDD01.jpg"), third);
    EXPECT_EQ(QDir(outer.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(folder + "/DATA").entryList(QDir::Files).size(), 3);
    EXPECT_FALSE(w.Image1->pixmap().isNull());
    EXPECT_TRUE(seen.contains(u8("正在获取...20.00%")));  // the cached first ID still counts
    EXPECT_TRUE(seen.contains(u8("正在获取...40.00%")));
    EXPECT_TRUE(seen.contains(u8("正在获取...100.00%")));
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("名单转换完成")));

    // A second run fetches only what is missing; a list without IDs finishes at once.
    server.requests.clear();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(server.requests, QStringList({"/results/upload/a2009BBBB01.jpg"}));
    EXPECT_TRUE(w.Image1->pixmap().isNull());  // the failed load shows no picture
    writeBytes(folder + "/cubing.txt", platform::encodeAnsi(page({row(u8("己"), u8("男"))})));
    server.requests.clear();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("名单转换完成")));
}

TEST(ConverterWindow, CloseDuringTheAvatarRunEndsTheProgram)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("DATA"));
    writeBytes(dir.filePath("cubing.txt"), platform::encodeAnsi(page({row(u8("甲"), u8("男"), QStringLiteral("2009AAAA01")),
                                                                       row(u8("乙"), u8("男"), QStringLiteral("2009BBBB01"))})));
    for (const bool stalled : {true, false}) {
        SCOPED_TRACE(stalled ? "stalled" : "trickling");
        testing_support::LoopbackServer server;
        // The real deadline: only the close can end the download in time.
        if (stalled)
            server.silence("/results/upload/a2009AAAA01.jpg");
        else
            server.trickle("/results/upload/a2009AAAA01.jpg", 100000, 100);
        const qint64 ms = testing_support::msFromCloseToEnd(
            [&] { return convert::runProgram(dir.path(), convert::ConverterSettings{server.base(), platform::kDefaultHttpTimeoutMs}); },
            [](QWidget* window) {
                auto* w = qobject_cast<Form1*>(window);
                QTest::mouseClick(w->Check5, Qt::LeftButton);
                QTest::mouseClick(w->Command1, Qt::LeftButton);
            },
            500);
        EXPECT_GE(ms, 0);
        EXPECT_LT(ms, 1000);
        EXPECT_EQ(server.requests, QStringList{"/results/upload/a2009AAAA01.jpg"});
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("DATA/2009AAAA01.jpg")));
    }
}

TEST(ConverterWindow, AvatarThatCannotBeWrittenLeavesNoFile)
{
    testing_support::LoopbackServer server;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("DATA"));
    const QByteArray avatar = jpeg(3);
    ASSERT_GT(avatar.size(), 256);
    server.serve("/results/upload/a2009EEEE01.jpg", avatar, "image/jpeg");
    Form1 w(dir.path(), convert::ConverterSettings{server.base(), 3000});
    writeBytes(dir.filePath("cubing.txt"), platform::encodeAnsi(page({row(u8("甲"), u8("男"), QStringLiteral("2009EEEE01"))})));
    QTest::mouseClick(w.Check5, Qt::LeftButton);
    {
        // Room for the list, not for the picture.
        testing_support::FileSizeLimit limit(256);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
    }
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_EQ(QDir(dir.filePath("DATA")).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_TRUE(isStatus(w.Label1->caption(), u8("名单转换完成")));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("DATA/2009EEEE01.jpg")), avatar);
}

// cubing.txt as a FIFO or a link to an endless device: the status of a
// missing cubing.txt at once, the old list kept.
TEST(ConverterWindow, SpecialCubingFileEndsAtOnce)
{
    QTemporaryDir dir;
    const QByteArray old = platform::encodeAnsi(u8("旧名单+M\r\n"));
    writeBytes(dir.filePath("list.txt"), old);
    const QByteArray cubing = QFile::encodeName(dir.filePath("cubing.txt"));
    Form1 w(dir.path());
    for (const bool fifo : {true, false}) {
        ASSERT_EQ(fifo ? ::mkfifo(cubing.constData(), 0666) : ::symlink("/dev/zero", cubing.constData()), 0);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        EXPECT_TRUE(isStatus(w.Label1->caption(), u8("读取cubing.txt失败"))) << w.Label1->caption().toStdString();
        EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")), old);
        ASSERT_EQ(::unlink(cubing.constData()), 0);
    }
}
