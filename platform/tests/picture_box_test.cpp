#include "platform/picture_box.h"
#include "platform/testing/child_process.h"
#include "platform/testing/window_helpers.h"

#include <QImageReader>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

TEST(PictureBox, DrawingAndPointQueries)
{
    PictureBox box;
    box.setBackColor(0xFFFFFF);
    box.resizeImage(10, 8);
    EXPECT_EQ(box.point(0, 0), 0xFFFFFF);
    EXPECT_EQ(box.point(10, 0), -1);
    EXPECT_EQ(box.point(-1, 3), -1);
    box.fillBox(2, 2, 4, 3, 0x0000FF);
    EXPECT_EQ(box.point(2, 2), 0x0000FF);
    EXPECT_EQ(box.point(4, 3), 0x0000FF);
    EXPECT_EQ(box.point(5, 3), 0xFFFFFF);
    box.pset(9, 7, 0x123456);
    EXPECT_EQ(box.point(9, 7), 0x123456);
    box.line(0, 6, 5, 6, 0);
    EXPECT_EQ(box.point(0, 6), 0);
    EXPECT_EQ(box.point(5, 6), 0);
    box.cls();
    EXPECT_EQ(box.point(2, 2), 0xFFFFFF);
}

namespace {

// Marks every pixel its box says is about to be painted.
struct PaintedArea : PictureWatcher {
    QImage told;
    explicit PaintedArea(const QSize& size) : told(size, QImage::Format_Grayscale8) { told.fill(0); }
    void aboutToPaint(const QRect& area) override
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::fill_n(told.scanLine(y) + area.left(), area.width(), uchar(1));
    }
    void replaced(QImage&) override {}
};

}  // namespace

TEST(PictureBox, LinesOfAnyLengthTellWhatTheyPaint)
{
    // Lines far longer than a screen, nearly along a one-pixel picture,
    // where the painter's own rounding strays furthest from the ideal line.
    // First the lines that strayed furthest from it: from, to, width.
    const int strayed[][5] = {{14, 723226, -8, 106991, 23}, {4, 245136, -17, 727193, 26}, {-9, 498256, 18, 853900, 21}};
    QRandomGenerator rng(7);
    for (int n = 0; n < 24; ++n) {
        const bool tall = n % 2 == 0;
        const int length = n < 6 ? 1 << 20 : 1 << (17 + n % 4);
        PictureBox box;
        box.setImage(QImage(tall ? 1 : length, tall ? length : 1, QImage::Format_RGB32));
        box.cls();
        PaintedArea area(box.image().size());
        box.addWatcher(&area);
        box.setDrawWidth(rng.bounded(1, 40));
        QPoint a(rng.bounded(-30, 30), rng.bounded(-1000, length + 1000));
        QPoint b(rng.bounded(-30, 30), rng.bounded(-1000, length + 1000));
        if (n < 6) {
            const int* line = strayed[n / 2];
            a = QPoint(line[0], line[1]);
            b = QPoint(line[2], line[3]);
            box.setDrawWidth(line[4]);
        }
        if (!tall) {
            a = a.transposed();
            b = b.transposed();
        }
        box.line(a.x(), a.y(), b.x(), b.y(), 0);
        box.removeWatcher(&area);
        const QImage& painted = box.image();
        qint64 strays = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                strays += painted.pixel(x, y) != 0xFFFFFFFFu && !area.told.constScanLine(y)[x];
        EXPECT_EQ(strays, 0) << a.x() << "," << a.y() << " to " << b.x() << "," << b.y() << " width "
                             << box.drawWidth();
    }
}

TEST(PictureBox, LoadAndSave24BitBmp)
{
    QTemporaryDir dir;
    const QImage img = testing_support::patternImage(13, 7);
    ASSERT_TRUE(img.convertToFormat(QImage::Format_Indexed8).save(dir.filePath("in.png")));
    PictureBox box;
    box.setAutoSize(true);
    ASSERT_EQ(box.loadPicture(dir.filePath("in.png")), PictureLoad::Loaded);
    EXPECT_EQ(box.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(box.size(), QSize(13, 7));
    EXPECT_EQ(box.loadPicture(dir.filePath("missing.png")), PictureLoad::NotAPicture);
    EXPECT_EQ(box.imageWidth(), 13);
    ASSERT_TRUE(box.saveBmp(dir.filePath("out.bmp")));
    const QByteArray bytes = testing_support::fileBytes(dir.filePath("out.bmp"));
    ASSERT_GT(bytes.size(), 30);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(int(bytes[28]), 24);  // bits per pixel
    const QImage back(dir.filePath("out.bmp"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), box.image());
    EXPECT_FALSE(box.saveBmp(dir.filePath("no/dir/out.bmp")));
}

TEST(PictureBox, ClickArrivesAfterPressAndReleaseAndDropsGiveAFile)
{
    PictureBox box;
    box.resize(20, 20);
    QStringList order;
    QObject::connect(&box, &PictureBox::mouseDown, [&] { order << "down"; });
    QObject::connect(&box, &PictureBox::mouseUp, [&] { order << "up"; });
    QObject::connect(&box, &PictureBox::click, [&] { order << "click"; });
    // Any button clicks.
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(3, 4));
    QTest::mouseClick(&box, Qt::MiddleButton, {}, QPoint(19, 19));
    EXPECT_EQ(order, (QStringList{"down", "up", "click", "down", "up", "click", "down", "up", "click"}));
    // A press released outside the box is no click.
    order.clear();
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(20, 4));
    QTest::mousePress(&box, Qt::RightButton, {}, QPoint(3, 4));
    QTest::mouseRelease(&box, Qt::RightButton, {}, QPoint(3, -1));
    EXPECT_EQ(order, (QStringList{"down", "up", "down", "up"}));

    box.setDropTarget(true);
    box.show();
    QSignalSpy drops(&box, &PictureBox::fileDropped);
    testing_support::dropUrls(&box, {QUrl("https://example.invalid/a.png"), QUrl::fromLocalFile("/tmp/b.png")});
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops.at(0).at(0).toString(), "/tmp/b.png");
}

TEST(PictureBox, LoadsUpTo200MegapixelsAndRefusesLarger)
{
    EXPECT_TRUE(pictureSizeLoadable(QSize(20000, 10000)));
    EXPECT_FALSE(pictureSizeLoadable(QSize(20000, 10001)));
    EXPECT_TRUE(pictureSizeLoadable(QSize(1, 51000000)));
    EXPECT_FALSE(pictureSizeLoadable(QSize(70000, 70000)));  // beyond 32 bits
    EXPECT_FALSE(pictureSizeLoadable(QSize(0, 5)));

    QTemporaryDir dir;
    PictureBox box;
    box.setAutoSize(true);
    box.resizeImage(30, 20);
    const QImage before = box.image();
    // The size comes from the header: nothing of the picture is allocated.
    testing_support::writeBytes(dir.filePath("huge.bmp"), testing_support::bmpHeaderOnly(20000, 10001));
    EXPECT_EQ(box.loadPicture(dir.filePath("huge.bmp")), PictureLoad::TooLarge);
    EXPECT_EQ(box.image(), before);
    EXPECT_EQ(box.size(), QSize(30, 20));
    // Within the limit but without its pixels: no picture.
    testing_support::writeBytes(dir.filePath("cut.bmp"), testing_support::bmpHeaderOnly(300, 200));
    EXPECT_EQ(box.loadPicture(dir.filePath("cut.bmp")), PictureLoad::NotAPicture);
    EXPECT_EQ(box.image(), before);

    // Over the image reader's own default limit of 128 MiB (6000 x 6000 x 4 bytes).
    QImage big(6000, 6000, QImage::Format_RGB32);
    big.fill(qRgb(30, 60, 90));
    ASSERT_TRUE(big.save(dir.filePath("big.jpg")));
    big = QImage();
    ASSERT_EQ(box.loadPicture(dir.filePath("big.jpg")), PictureLoad::Loaded);
    EXPECT_EQ(box.size(), QSize(6000, 6000));
    EXPECT_NEAR(qRed(box.image().pixel(5999, 5999)), 30, 2);
}

#if !defined(__SANITIZE_ADDRESS__)
// A picture whose memory cannot be had, in a child process with a tight
// address-space limit (the sanitizers reserve too much address space for that).
TEST(PictureBox, PictureWithoutMemoryIsTooLarge)
{
    QTemporaryDir dir;
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(qRgb(200, 30, 40));
    ASSERT_TRUE(photo.save(dir.filePath("photo.jpg")));
    photo = QImage();
    PictureBox box;
    box.resizeImage(30, 20);
    const QImage before = box.image();

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // Room for 20 MB more than now; the photo needs 48 MB.
        if (!testing_support::limitAddressSpace(rlim_t{20} << 20))
            _exit(3);
        const PictureLoad result = box.loadPicture(dir.filePath("photo.jpg"));
        _exit(result != PictureLoad::TooLarge ? 1 : box.image() != before ? 2 : 0);
    }
    int status = 0;
    ASSERT_TRUE(testing_support::waitForChild(child, status)) << "the load did not end";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif

// Every format's declared size is judged alike, also where the image reader
// refuses the header before telling a size (JPEG over 65500 a side, BMP over
// 16384 x 16384).
TEST(PictureBox, DeclaredSizeIsJudgedAlikeForEveryFormat)
{
    QTemporaryDir dir;
    PictureBox box;
    box.resizeImage(30, 20);
    const QImage before = box.image();
    auto load = [&](const char* name, const QByteArray& bytes) {
        testing_support::writeBytes(dir.filePath(name), bytes);
        return box.loadPicture(dir.filePath(name));
    };
    EXPECT_EQ(load("huge.jpg", testing_support::jpegDeclaring(65535, 65535)), PictureLoad::TooLarge);
    EXPECT_EQ(load("huge.bmp", testing_support::bmpHeaderOnly(65535, 65535)), PictureLoad::TooLarge);
    EXPECT_EQ(load("tall.bmp", testing_support::bmpHeaderOnly(3, 66666667)), PictureLoad::TooLarge);
    QByteArray topDown = testing_support::bmpHeaderOnly(65535, 65535);
    topDown.replace(22, 4, QByteArray("\x01\x00\xFF\xFF", 4));  // height -65535: rows top-down
    EXPECT_EQ(load("topdown.bmp", topDown), PictureLoad::TooLarge);
    EXPECT_EQ(box.image(), before);
    // Within the limit but beyond what the JPEG reader decodes: no picture.
    EXPECT_EQ(load("strip.jpg", testing_support::jpegDeclaring(3, 65535)), PictureLoad::NotAPicture);
    // Headers that declare nothing usable, and a plain small JPEG.
    EXPECT_EQ(load("zero.jpg", testing_support::jpegDeclaring(0, 0)), PictureLoad::NotAPicture);
    EXPECT_EQ(load("cut.jpg", testing_support::jpegDeclaring(100, 100).left(40)), PictureLoad::NotAPicture);
    EXPECT_EQ(load("zero.bmp", testing_support::bmpHeaderOnly(0, 5)), PictureLoad::NotAPicture);
    EXPECT_EQ(load("short.bmp", QByteArray("BM\x10", 3)), PictureLoad::NotAPicture);
    EXPECT_EQ(box.image(), before);
    EXPECT_EQ(load("small.jpg", testing_support::jpegDeclaring(16, 16)), PictureLoad::Loaded);
    EXPECT_EQ(box.image().size(), QSize(16, 16));
    // The header walk reads the file in blocks: a frame header behind
    // segments and fill bytes that straddle the block edges is still found,
    // and a 16 MiB file of fill bytes ends as no picture.
    const QByteArray huge = testing_support::jpegDeclaring(65535, 65535);
    for (int fill : {65536 - 7, 65536 - 4, 65536 - 1, 3 * 65536 + 5}) {
        QByteArray padded = huge.left(2);
        padded += QByteArray(fill, '\xFF');
        padded += QByteArray("\xFF\xE1\xFF\xF0", 4) + QByteArray(0xFFF0 - 2, 'x');  // one large APP1
        padded += huge.mid(2);
        EXPECT_EQ(load("padded.jpg", padded), PictureLoad::TooLarge) << fill;
    }
    EXPECT_EQ(load("fill.jpg", QByteArray("\xFF\xD8", 2) + QByteArray(16 << 20, '\xFF')),
              PictureLoad::NotAPicture);
    EXPECT_EQ(box.image().size(), QSize(16, 16));
}
