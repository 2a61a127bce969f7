#include "mosaic/effects.h"
#include "mosaic/form1.h"
#include "mosaic/tests/loaded_form.h"
#include "mosaic/tests/picture_checks.h"
#include "platform/screen_color.h"
#include "platform/testing/window_helpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace mosaic;
using testing_support::MessageRecorder;

using testing_support::u8;

namespace {



struct ScreenColor {
    explicit ScreenColor(std::optional<int32_t> c)
    {
        platform::setScreenColorHook([c](const QPoint&) { return c; });
    }
    ~ScreenColor() { platform::setScreenColorHook({}); }
};

}  // namespace

TEST(WorkingPicture, DropLoadsThenSnapshots)
{
    LoadedForm f;
    Form1& w = f.form;
    const QImage start = w.Picture1->image();
    const QString png = f.dir.filePath("photo.png");
    ASSERT_TRUE(testing_support::patternImage(640, 480).save(png));
    QFile junk(f.dir.filePath("notes.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    MessageRecorder messages;
    testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(png), QUrl::fromLocalFile(junk.fileName())});
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(w.Text1->text(), "640");
    EXPECT_EQ(w.Text2->text(), "480");
    EXPECT_EQ(w.Picture1->size(), QSize(640, 480));
    EXPECT_EQ(w.PicBACK->image(), w.Picture1->image());
    EXPECT_EQ(w.undoHistory.undoIndex, 1);
    const QImage dropped = w.Picture1->image();

    // A file that is no picture: the message, nothing else changes, still a snapshot.
    testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(junk.fileName())});
    EXPECT_EQ(messages.texts, QStringList{u8("不支持的图片格式")});
    EXPECT_EQ(messages.titles, QStringList{u8("错误")});
    EXPECT_EQ(w.Picture1->image(), dropped);
    EXPECT_EQ(w.Text1->text(), "640");
    EXPECT_EQ(w.undoHistory.undoIndex, 2);
    // A drop without a file: only a snapshot.
    testing_support::dropUrls(w.Picture1, {QUrl("https://example.invalid/a.png")});
    EXPECT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(w.undoHistory.undoIndex, 3);

    // Undo goes back through the same picture, then to the start picture,
    // and at index 0 restores slot 0 again.
    for (int i = 0; i < 3; ++i) {
        w.Command4[i % 2]->click();
        EXPECT_EQ(w.Picture1->image(), dropped);
    }
    EXPECT_EQ(w.undoHistory.undoIndex, 0);
    w.Command4[0]->click();
    EXPECT_EQ(w.Picture1->image(), start);
    EXPECT_EQ(w.PicBACK->image(), start);
    w.Command4[1]->click();
    EXPECT_EQ(w.Picture1->image(), start);
    EXPECT_EQ(w.undoHistory.undoIndex, 0);
}

TEST(WorkingPicture, BrushStrokePaintsAndIsUndone)
{
    LoadedForm f;
    Form1& w = f.form;
    EXPECT_EQ(w.Line1->borderWidth(), 5);
    EXPECT_EQ(w.Picture1->drawWidth(), 5);
    const QImage start = w.Picture1->image();

    // Colour-pick mode: a press pushes nothing.
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(w.undoHistory.undoIndex, 0);

    w.Option1[0]->click();
    EXPECT_TRUE(w.brushMode);
    w.Combo3->setListIndex(8);  // 红
    EXPECT_EQ(w.Picture1->foreColor(), 199 + 27 * 256 + 39 * 65536);
    EXPECT_EQ(w.Combo3->backColor(), 199 + 27 * 256 + 39 * 65536);
    EXPECT_EQ(w.focusWidget(), w.Command2);

    QTest::mousePress(w.Picture1, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseMove(w.Picture1, QPoint(80, 40));
    QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, QPoint(80, 40));
    EXPECT_EQ(w.undoHistory.undoIndex, 1);
    EXPECT_EQ(w.Picture1->point(55, 40), 199 + 27 * 256 + 39 * 65536);
    EXPECT_EQ(w.Picture1->point(55, 42), 199 + 27 * 256 + 39 * 65536);  // width 5
    EXPECT_EQ(w.PicBACK->image(), w.Picture1->image());
    // A press without movement still pushes and draws nothing.
    const QImage painted = w.Picture1->image();
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(w.undoHistory.undoIndex, 2);
    EXPECT_EQ(w.Picture1->image(), painted);

    w.Command4[0]->click();
    EXPECT_EQ(w.Picture1->image(), painted);
    w.Command4[0]->click();
    EXPECT_EQ(w.Picture1->image(), start);
    EXPECT_EQ(w.PicBACK->image(), start);
}

TEST(WorkingPicture, AVeryLongBrushLineIsUndoneWhole)
{
    // Far longer than any screen: the history and the backing copy still
    // hear of every pixel the line paints.
    LoadedForm f;
    Form1& w = f.form;
    QImage tall(1, 1 << 20, QImage::Format_RGB32);
    tall.fill(qRgb(10, 20, 30));
    w.Picture1->setImage(tall);
    w.writeBackingCopy();
    w.Option1[0]->click();
    for (int i = 0; i < 18; ++i)
        w.Command7[0]->click();
    ASSERT_EQ(w.Picture1->drawWidth(), 23);
    w.Picture1_MouseDown(1, 0, 14, 723226);
    w.Picture1_MouseMove(1, 0, -8, 106991);
    w.Picture1_MouseUp(1, 0, -8, 106991);
    ASSERT_NE(w.Picture1->image(), tall);
    EXPECT_EQ(w.PicBACK->image(), w.Picture1->image());
    w.Command4[0]->click();
    EXPECT_EQ(w.Picture1->image(), tall);
    EXPECT_EQ(w.PicBACK->image(), tall);
}

TEST(WorkingPicture, BrushWidthButtons)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Command7[0]->click();
    EXPECT_EQ(w.Line1->borderWidth(), 6);
    EXPECT_EQ(w.Picture1->drawWidth(), 6);
    for (int i = 0; i < 8; ++i)
        w.Command7[1]->click();
    EXPECT_EQ(w.Line1->borderWidth(), 1);
    EXPECT_EQ(w.Picture1->drawWidth(), 1);

    // The sample line grows without limit under the frame's controls: at
    // width 40 the "-" button and the "颜色拾取" caption show as at width 1,
    // and the line still shows beside them.
    w.Frame6->show();
    auto area = [&](const QImage& frame, QWidget* control) { return frame.copy(control->geometry()); };
    const QImage thin = w.Frame6->grab().toImage();
    for (int i = 0; i < 39; ++i)
        w.Command7_Click(0);
    ASSERT_EQ(w.Line1->borderWidth(), 40);
    const QImage thick = w.Frame6->grab().toImage();
    EXPECT_EQ(area(thick, w.Command7[1]), area(thin, w.Command7[1]));
    EXPECT_EQ(area(thick, w.Option1[1]), area(thin, w.Option1[1]));
    EXPECT_EQ(thick.pixel(133, 130), qRgb(0, 0, 0));
    EXPECT_NE(thin.pixel(133, 130), qRgb(0, 0, 0));
}

TEST(WorkingPicture, ColourPickShowsTheSwatch)
{
    LoadedForm f;
    Form1& w = f.form;
    {
        ScreenColor red(255);
        QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(5, 5));
    }
    EXPECT_EQ(w.Label7->caption(), "0000FF");
    EXPECT_EQ(w.Label7->backColor(), 255);
    EXPECT_EQ(w.Label7->foreColor(), 0xFFFF00);
    EXPECT_EQ(w.pickedColor, 255);
    {
        ScreenColor black(0);
        QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(5, 5));
    }
    EXPECT_EQ(w.Label7->caption(), "000000");
    EXPECT_EQ(w.Label7->foreColor(), 0xFFFFFF);
    {
        ScreenColor pink(0x123456);
        QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(5, 5));
    }
    EXPECT_EQ(w.Label7->caption(), "123456");
    // An unreadable screen changes nothing.
    {
        ScreenColor none(std::nullopt);
        QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(5, 5));
    }
    EXPECT_EQ(w.Label7->caption(), "123456");
    EXPECT_EQ(w.pickedColor, 0x123456);
    // The real screen read: a colour or nothing, never a broken caption.
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w.Label7->caption().size(), 6);
    EXPECT_EQ(w.Label7->caption().toInt(nullptr, 16), w.pickedColor);
}

TEST(WorkingPicture, LargePhotosLoadAndLargerOnesAreFailedDrops)
{
    LoadedForm f;
    Form1& w = f.form;
    picture_checks::largePhotoLoadsAndGenerates(w, f.dir);
    EXPECT_EQ(w.PicBACK->image(), w.Picture1->image());
    EXPECT_EQ(w.undoHistory.undoIndex, 1);
    EXPECT_EQ(w.undoHistory.newest(), w.Picture1->image());

    // Beyond the limit: refused as any failed drop, each drop with its
    // snapshot of the picture as it is; the backing copy stays.
    const QImage before = w.Picture1->image().copy();
    QTest::mouseClick(w.Command5[mosaic::kErode], Qt::LeftButton);
    const QImage eroded = w.Picture1->image().copy();
    const QImage backing = w.PicBACK->image();
    picture_checks::tooLargePictureIsRefused(w, f.dir);
    EXPECT_EQ(w.undoHistory.undoIndex, 2 + 3);
    EXPECT_EQ(w.undoHistory.newest(), eroded);
    EXPECT_EQ(w.PicBACK->image(), backing);
    // Undo brings back the effect's result, once for each drop, then the
    // picture before the effect.
    w.Picture1->pset(3, 3, 0x00FF00);
    for (int drop = 0; drop < 3; ++drop) {
        QTest::mouseClick(w.Command4[0], Qt::LeftButton);
        EXPECT_EQ(w.Picture1->image(), eroded) << drop;
    }
    QTest::mouseClick(w.Command4[0], Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), before);
}

TEST(WorkingPicture, EveryButtonClickPicksTheColour)
{
    LoadedForm f;
    picture_checks::everyButtonClickPicks(f.form);
    // The same in brush mode, where a press also pushes a snapshot.
    f.form.Option1[0]->click();
    {
        ScreenColor c(0x445566);
        QTest::mouseClick(f.form.Picture1, Qt::RightButton, {}, QPoint(10, 10));
    }
    EXPECT_EQ(f.form.pickedColor, 0x445566);
    EXPECT_EQ(f.form.undoHistory.undoIndex, 1);
}

TEST(WorkingPicture, CaptionsStayReadableAndTheStartSizeShowsTheCost)
{
    {
        LoadedForm f;
        picture_checks::dropOfTheStartSizeShowsTheCost(f.form, f.dir);
    }
    LoadedForm f;
    picture_checks::captionsStayOverAGrownPicture(f.form, f.dir, {f.form.Option1[0], f.form.Option1[1]});
}
