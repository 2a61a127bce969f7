#include "compdraw/draw_form.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QFile>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace compdraw;
using compdraw::draw::Form1;

using testing_support::u8;
using testing_support::writeBytes;

namespace {



void writeBanners(const QTemporaryDir& dir)
{
    ASSERT_TRUE(testing_support::patternImage(927, 250).save(dir.filePath(u8("底部_927_250.jpg")), "JPG"));
    ASSERT_TRUE(testing_support::patternImage(927, 70).save(dir.filePath(u8("标题_927_70.jpg")), "JPG"));
}

// A banner whose top ten rows are red and the rest blue.
QImage redTopBanner(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, width, 10, Qt::red);
    return image;
}

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
}

}  // namespace

TEST(DrawWindow, LayoutAndStartUp)
{
    QTemporaryDir dir;
    writeBanners(dir);
    writeBytes(dir.filePath("list.txt"), platform::encodeAnsi(u8("甲乙丙+M\r\nJia Yi(丁戊)+F+2010XXXX01\r\n")));
    Form1 w(dir.path());
    w.Form_Load();
    EXPECT_EQ(w.windowTitle(), u8("抽奖 v2+141217"));
    EXPECT_EQ(w.size(), QSize(927, 517));
    EXPECT_EQ(w.ln[2]->geometry(), QRect(360, 70, 200, 200));
    EXPECT_EQ(w.ln[5]->geometry(), QRect(560, 270, 200, 200));
    EXPECT_EQ(w.ln[1]->caption(), u8("？"));
    EXPECT_EQ(w.Picture2->geometry(), QRect(0, 270, 927, 249));
    EXPECT_EQ(w.Image1[0]->geometry(), QRect(0, -2, 927, 250));
    EXPECT_TRUE(w.Command2->isEnabled());
    EXPECT_FALSE(w.Command1->isEnabled());
    EXPECT_EQ(w.nameCount, 2);
    EXPECT_EQ(w.entrants.reelChars[1], QStringList({u8("乙"), QString()}));
    EXPECT_EQ(w.drawnList, QStringLiteral("\r\n"));
    EXPECT_FALSE(w.Image1[0]->pixmap().isNull());
    EXPECT_FALSE(w.Image1[1]->pixmap().isNull());
    // The strips lie over the reel labels.
    EXPECT_EQ(w.childAt(200, 20), w.Image1[1]);
    EXPECT_EQ(w.childAt(200, 300), w.Image1[0]);
}

TEST(DrawWindow, BrokenLineStopsStartUpBeforeReelsAndBanners)
{
    QTemporaryDir dir;
    writeBanners(dir);
    writeBytes(dir.filePath("LIST.TXT"), platform::encodeAnsi(u8("甲乙\n戊(己\n丙丁\n")));
    Form1 w(dir.path());
    w.Form_Load();
    EXPECT_EQ(w.nameCount, 1);
    EXPECT_TRUE(w.entrants.reelChars[0].isEmpty());
    EXPECT_TRUE(w.Image1[0]->pixmap().isNull());
    EXPECT_TRUE(w.Image1[1]->pixmap().isNull());
}

TEST(DrawWindow, DrawLandsOnTheWinnerAndListsIt)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("list.txt"), platform::encodeAnsi(u8("甲乙丙\r\n丁戊\r\n")));
    Form1 w(dir.path(), draw::DrawSettings{0});
    w.Form_Load();
    for (int draw = 0; draw < 2; ++draw) {
        // "停止" right after "开始": the first pumping of the free spin presses it.
        QTimer::singleShot(0, &w, [&w] {
            EXPECT_FALSE(w.Command2->isEnabled());
            QTest::mouseClick(w.Command1, Qt::LeftButton);
            EXPECT_FALSE(w.Command1->isEnabled());
        });
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        ASSERT_EQ(w.List1->listCount(), draw + 1);
        EXPECT_EQ(w.List1->list(draw), w.winner);
        EXPECT_TRUE(w.Command2->isEnabled());
        EXPECT_FALSE(w.Command1->isEnabled());
        const auto chars = reelCharsOf(w.winner);
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(w.ln[2 * r]->y(), 70);
            EXPECT_EQ(w.ln[2 * r + 1]->y(), -130);
            EXPECT_EQ(w.ln[2 * r]->caption(), chars[r]);
        }
    }
    // A winner is not drawn again while another name is left.
    EXPECT_NE(w.List1->list(0), w.List1->list(1));
}

TEST(DrawWindow, WithoutNamesStopKeepsSpinningAndClosingEndsTheDraw)
{
    QTemporaryDir dir;
    Form1 w(dir.path(), draw::DrawSettings{0});
    w.Form_Load();
    w.show();
    QTimer::singleShot(0, &w, [&w] {
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        EXPECT_TRUE(w.Command1->isEnabled());
        EXPECT_FALSE(w.stopFlag);
        w.close();
    });
    QTest::mouseClick(w.Command2, Qt::LeftButton);  // returns once the window is gone
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.List1->listCount(), 0);
}

// A FIFO or a link to an endless device as the list or a banner: start-up
// ends at once as for a missing list, or with that banner empty.
TEST(DrawWindow, SpecialFilesAsListOrBannerEndAtOnce)
{
    for (const bool fifo : {true, false}) {
        SCOPED_TRACE(fifo ? "FIFO" : "/dev/zero");
        const auto makeSpecial = [&](const QString& path) {
            if (fifo)
                ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
            else
                ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(path).constData()), 0);
        };
        QTemporaryDir dir;
        writeBanners(dir);
        makeSpecial(dir.filePath("list.txt"));
        {
            Form1 w(dir.path());
            w.Form_Load();
            EXPECT_EQ(w.nameCount, 0);
            EXPECT_TRUE(w.Image1[0]->pixmap().isNull());
        }
        ASSERT_TRUE(QFile::remove(dir.filePath("list.txt")));
        writeBytes(dir.filePath("list.txt"), platform::encodeAnsi(u8("甲乙丙+M\r\n")));
        ASSERT_TRUE(QFile::remove(dir.filePath(u8("底部_927_250.jpg"))));
        makeSpecial(dir.filePath(u8("底部_927_250.jpg")));
        Form1 w(dir.path());
        w.Form_Load();
        EXPECT_EQ(w.nameCount, 1);
        EXPECT_TRUE(w.Image1[0]->pixmap().isNull());
        EXPECT_FALSE(w.Image1[1]->pixmap().isNull());
    }
}

TEST(DrawWindow, BannersOfAnySizeShowFromTheirTopLeftCorner)
{
    for (const int height : {40, 300}) {
        SCOPED_TRACE(height);
        QTemporaryDir dir;
        writeBytes(dir.filePath("list.txt"), platform::encodeAnsi(u8("甲乙\r\n")));
        ASSERT_TRUE(redTopBanner(927, height).save(dir.filePath(u8("标题_927_70.jpg")), "JPG"));
        ASSERT_TRUE(redTopBanner(927, height).save(dir.filePath(u8("底部_927_250.jpg")), "JPG"));
        Form1 w(dir.path());
        w.Form_Load();
        w.show();
        // The title banner's first row at the strip's top; the bottom banner
        // starts two rows above its strip, as its image control does.
        const QImage title = w.Picture1->grab().toImage();
        const QImage bottom = w.Picture2->grab().toImage();
        EXPECT_TRUE(isRed(title.pixel(400, 0)));
        EXPECT_TRUE(isRed(title.pixel(400, 6)));
        EXPECT_FALSE(isRed(title.pixel(400, 12)));
        EXPECT_TRUE(isRed(bottom.pixel(400, 0)));
        EXPECT_TRUE(isRed(bottom.pixel(400, 6)));
        EXPECT_FALSE(isRed(bottom.pixel(400, 12)));
        // Taller than the strip: clipped at the strip's bottom, nothing below it.
        EXPECT_EQ(w.childAt(400, 275), w.Image1[0]);
        EXPECT_NE(w.childAt(400, 100), w.Image1[1]);
    }
}

TEST(DrawWindow, LongWinnersAreClippedWithoutAScrollBar)
{
    QTemporaryDir dir;
    const QString longName = u8("JohnathanAlexanderSmithsonianWellington+M+2008SMIT01");
    writeBytes(dir.filePath("list.txt"), platform::encodeAnsi(longName + u8("\r\n")));
    Form1 w(dir.path(), draw::DrawSettings{0});
    w.Form_Load();
    QTimer::singleShot(0, &w, [&w] { QTest::mouseClick(w.Command1, Qt::LeftButton); });
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    ASSERT_EQ(w.List1->listCount(), 1);
    EXPECT_EQ(w.List1->list(0), longName);
    w.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.List1->horizontalScrollBar()->isVisible());
    EXPECT_EQ(w.List1->viewport()->height(), w.List1->height() - 2 * w.List1->frameWidth());
}
