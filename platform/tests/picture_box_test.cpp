#include "platform/picture_box.h"
#include "platform/testing/test_helpers.h"

#include <QImageReader>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

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

TEST(PictureBox, LoadAndSave24BitBmp)
{
    QTemporaryDir dir;
    const QImage img = testing_support::patternImage(13, 7);
    ASSERT_TRUE(img.convertToFormat(QImage::Format_Indexed8).save(dir.filePath("in.png")));
    PictureBox box;
    box.setAutoSize(true);
    ASSERT_TRUE(box.loadPicture(dir.filePath("in.png")));
    EXPECT_EQ(box.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(box.size(), QSize(13, 7));
    EXPECT_FALSE(box.loadPicture(dir.filePath("missing.png")));
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
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(3, 4));
    EXPECT_EQ(order, (QStringList{"down", "up", "click", "down", "up"}));

    box.setDropTarget(true);
    box.show();
    QSignalSpy drops(&box, &PictureBox::fileDropped);
    testing_support::dropUrls(&box, {QUrl("https://example.invalid/a.png"), QUrl::fromLocalFile("/tmp/b.png")});
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops.at(0).at(0).toString(), "/tmp/b.png");
}
