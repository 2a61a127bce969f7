#include "mosaic/tests/picture_checks.h"

#include "mosaic/form2.h"
#include "platform/screen_color.h"
#include "platform/testing/window_helpers.h"

#include <QPainter>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using testing_support::MessageRecorder;
using testing_support::u8;

namespace picture_checks {

namespace {

void drop(mosaic::Form1Base& w, const QString& path)
{
    testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(path)});
}

// Colour the preview shows inside the cell (col, row) of a pattern drawn with
// size 3, gap 1 and no separators.
int32_t cellColor(mosaic::Form1Base& w, int col, int row)
{
    return w.form2()->picture()->point(1 * (col + 1) + 3 * col + 2, 1 * (row + 1) + 3 * row + 2);
}

int32_t faceColorOf(mosaic::Form1Base& w, int32_t pixel)
{
    const int16_t face = w.GetFace(mosaic::GetB(pixel), mosaic::GetG(pixel), mosaic::GetR(pixel));
    return w.palette.faceColor[size_t(face)];
}

struct ScreenColor {
    explicit ScreenColor(int32_t c)
    {
        platform::setScreenColorHook([c](const QPoint&) { return std::optional<int32_t>(c); });
    }
    ~ScreenColor() { platform::setScreenColorHook({}); }
};

}  // namespace

void largePhotoLoadsAndGenerates(mosaic::Form1Base& w, const QTemporaryDir& dir)
{
    // A phone's full-size photo, the size the loader must take (its encoding
    // and loading take a few seconds): red above, blue below. Solid areas keep
    // the encoding quick.
    const QString path = dir.filePath("IMG_0001.jpg");
    {
        QImage photo(8000, 6000, QImage::Format_RGB32);
        photo.fill(qRgb(200, 20, 30));
        QPainter(&photo).fillRect(0, 3000, 8000, 3000, QColor(20, 40, 200));
        ASSERT_TRUE(photo.save(path, "JPG", 90));
    }
    MessageRecorder messages;
    drop(w, path);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(' ').toStdString();
    ASSERT_EQ(w.Picture1->image().size(), QSize(8000, 6000));
    EXPECT_EQ(w.Text1->text(), "8000");
    EXPECT_EQ(w.Text2->text(), "6000");
    EXPECT_EQ(w.Label13->caption(), u8("造价\r\nCNY 2933353.33\r\nCNY 5066686.66"));

    w.Text1->setText("80");
    w.Text2->setText("60");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(' ').toStdString();
    ASSERT_TRUE(w.form2()->isVisible());
    // Rows are 100 pixels apart: row 0 samples the red half, row 59 the blue.
    const int32_t red = faceColorOf(w, w.Picture1->point(0, 0));
    const int32_t blue = faceColorOf(w, w.Picture1->point(7900, 5900));
    EXPECT_NE(red, blue);
    EXPECT_EQ(cellColor(w, 0, 0), red);
    EXPECT_EQ(cellColor(w, 79, 29), red);
    EXPECT_EQ(cellColor(w, 79, 59), blue);
    w.form2()->hide();
}

void tooLargePictureIsRefused(mosaic::Form1Base& w, const QTemporaryDir& dir)
{
    // Only headers are written: a BMP and a JPEG whose own readers refuse
    // that size, and a PNG-sized panorama.
    const QString bmp = dir.filePath("panorama.bmp");
    const QString huge = dir.filePath("huge.bmp");
    const QString jpeg = dir.filePath("huge.jpg");
    testing_support::writeBytes(bmp, testing_support::bmpHeaderOnly(20000, 10001));
    testing_support::writeBytes(huge, testing_support::bmpHeaderOnly(65535, 65535));
    testing_support::writeBytes(jpeg, testing_support::jpegDeclaring(65535, 65535));
    w.Text8->setText("500");
    const QImage picture = w.Picture1->image();
    const QSize size = w.Picture1->size();
    const QString width = w.Text1->text(), height = w.Text2->text();
    const QString cost = w.Label13->caption(), affordable = w.Label12->caption();

    for (const QString& path : {bmp, huge, jpeg}) {
        MessageRecorder messages;
        drop(w, path);
        EXPECT_EQ(messages.texts, QStringList{u8("图片太大，内存不足")}) << path.toStdString();
        EXPECT_EQ(messages.titles, QStringList{u8("错误")});
    }
    EXPECT_EQ(w.Picture1->image(), picture);
    EXPECT_EQ(w.Picture1->size(), size);
    EXPECT_EQ(w.Text1->text(), width);
    EXPECT_EQ(w.Text2->text(), height);
    EXPECT_EQ(w.Label13->caption(), cost);
    EXPECT_EQ(w.Label12->caption(), affordable);
}

void smallPatternFillsThePreview(mosaic::Form1Base& w)
{
    w.Text1->setText("2");
    w.Text2->setText("2");
    w.Text6->setText("3");
    w.Text5->setText("1");
    w.Check1->setValue(1);
    w.Check3->setValue(0);
    for (int white : {1, 0}) {
        w.Check2->setValue(white);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        mosaic::Form2* preview = w.form2();
        ASSERT_TRUE(preview->isVisible());
        const QImage drawing = preview->picture()->image();
        ASSERT_EQ(drawing.size(), QSize(11, 11));
        EXPECT_EQ(w.gapColor, white ? 0xFFFFFF : 0);
        const QImage shown = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_GT(shown.width(), 11);
        ASSERT_GT(shown.height(), 11);
        const QRgb gap = white ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        int wrong = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb want = x < 11 && y < 11 ? drawing.pixel(x, y) : gap;
                wrong += shown.pixel(x, y) != want;
            }
        EXPECT_EQ(wrong, 0) << "white " << white << ", window " << shown.width() << " x " << shown.height();

        // A right click far from the drawing, on whatever the window shows there.
        const QPoint far(shown.width() - 3, shown.height() - 3);
        QWidget* target = preview->childAt(far);
        if (!target)
            target = preview;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(preview, far));
        EXPECT_FALSE(w.menu1->isVisible());
        QTest::mouseClick(target, Qt::RightButton, {}, target->mapFrom(preview, far));
        EXPECT_TRUE(w.menu1->isVisible()) << "white " << white;
        w.menu1->hide();
    }
    w.m3_Click();
}

void everyButtonClickPicks(mosaic::Form1Base& w)
{
    const QPoint inside(10, 10);
    {
        ScreenColor c(0x0000FF);
        QTest::mouseClick(w.Picture1, Qt::RightButton, {}, inside);
    }
    EXPECT_EQ(w.pickedColor, 0x0000FF);
    EXPECT_EQ(w.Label7->caption(), "0000FF");
    {
        ScreenColor c(0x00FF00);
        QTest::mouseClick(w.Picture1, Qt::MiddleButton, {}, inside);
    }
    EXPECT_EQ(w.pickedColor, 0x00FF00);
    EXPECT_EQ(w.Label7->caption(), "00FF00");
    // Pressed inside, released outside (left of the box, and below it): no click.
    {
        ScreenColor c(0x123456);
        QTest::mousePress(w.Picture1, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, QPoint(-3, 10));
        QTest::mousePress(w.Picture1, Qt::RightButton, {}, inside);
        QTest::mouseRelease(w.Picture1, Qt::RightButton, {}, QPoint(10, w.Picture1->height() + 2));
    }
    EXPECT_EQ(w.pickedColor, 0x00FF00);
    EXPECT_EQ(w.Label7->caption(), "00FF00");
    {
        ScreenColor c(0xABCDEF);
        QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, inside);
    }
    EXPECT_EQ(w.pickedColor, 0xABCDEF);
    EXPECT_EQ(w.Label7->caption(), "ABCDEF");
}

void captionsStayOverAGrownPicture(mosaic::Form1Base& w, const QTemporaryDir& dir, const QList<QWidget*>& more)
{
    QImage night(w.width() + 200, w.height() + 200, QImage::Format_RGB32);
    night.fill(qRgb(0, 0, 0));
    const QString path = dir.filePath("night.png");
    ASSERT_TRUE(night.save(path));
    drop(w, path);
    ASSERT_EQ(w.Picture1->size(), night.size());

    // Each caption's area looks the same as with nothing under the frames.
    const QImage shot = w.grab().toImage();
    w.Picture1->hide();
    const QImage bare = w.grab().toImage();
    w.Picture1->show();
    const QList<QWidget*> captions = QList<QWidget*>{w.Label1, w.Label2, w.Label5, w.Label13, w.Label8,
                                                     w.Label9, w.Label10, w.Check1, w.Check3}
                                     + more;
    for (QWidget* caption : captions) {
        const QRect area(caption->mapTo(&w, QPoint(0, 0)), caption->size());
        ASSERT_TRUE(shot.rect().contains(area));
        EXPECT_EQ(shot.copy(area), bare.copy(area)) << caption->property("text").toString().toStdString();
        // And it is no black picture.
        EXPECT_GT(qGray(shot.pixel(area.topLeft())), 128);
    }
}

void dropOfTheStartSizeShowsTheCost(mosaic::Form1Base& w, const QTemporaryDir& dir)
{
    ASSERT_EQ(w.Label13->caption(), u8("造价"));
    ASSERT_EQ(w.Text1->text(), "131");
    ASSERT_EQ(w.Text2->text(), "124");
    const QString path = dir.filePath("cube.png");
    ASSERT_TRUE(testing_support::patternImage(131, 124).save(path));
    drop(w, path);
    EXPECT_EQ(w.Label13->caption(), u8("造价\r\nCNY 1012.68\r\nCNY 1734.64"));
    EXPECT_EQ(w.Picture1->image().size(), QSize(131, 124));
}

}  // namespace picture_checks
