#include "mosaic09/form1.h"
#include "mosaic/form1.h"
#include "mosaic/tests/loaded_window.h"

#include "mosaic/builtin_pictures.h"
#include "mosaic/effects.h"
#include "mosaic/form2.h"
#include "mosaic/tests/picture_checks.h"
#include "platform/testing/window_helpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <type_traits>
#include "platform/u8.h"

using mosaic09::Form1;
using testing_support::MessageRecorder;

namespace {

using platform::u8;

using LoadedForm = LoadedWindow<mosaic09::Form1>;

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// A picture without linear runs, so that every effect changes it.
QImage noisyPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * x * 7 + y * 13) & 255, (x * y * 5) & 255, ((x + y * y) * 3) & 255));
    return img;
}

QString savedPicture(const QTemporaryDir& dir, const char* name, const QImage& image)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    image.save(path);
    return path;
}

}  // namespace

TEST(Form1Edition09, WindowLayoutAndCaptions)
{
    LoadedForm f;
    Form1& w = f.form;
    EXPECT_EQ(w.windowTitle(), "Tilvane v0.9");
    EXPECT_EQ(w.size(), QSize(596, 360));
    EXPECT_EQ(w.Frame1->geometry(), twips(60, 60, 3105, 2505));
    EXPECT_EQ(w.Frame2->geometry(), twips(3180, 60, 1695, 2505));
    EXPECT_EQ(w.Frame3->geometry(), twips(60, 2580, 4815, 1455));
    EXPECT_EQ(w.Frame4->geometry(), twips(60, 4080, 1695, 1245));
    EXPECT_EQ(w.Command2->geometry(), twips(1860, 4140, 975, 315));
    EXPECT_EQ(w.Command1->geometry(), twips(2880, 4140, 975, 315));
    EXPECT_EQ(w.Command6->geometry(), twips(2880, 4530, 975, 315));
    EXPECT_EQ(w.Text9->geometry(), twips(3900, 4530, 975, 315));
    EXPECT_EQ(w.Label4->geometry(), twips(4950, 60, 1440, 180));
    EXPECT_EQ(w.Picture1->geometry(), twips(4950, 300, 3930, 3735));
    for (QWidget* onWindow : {static_cast<QWidget*>(w.Command2), static_cast<QWidget*>(w.Command1),
                              static_cast<QWidget*>(w.Command6), static_cast<QWidget*>(w.Text9)})
        EXPECT_EQ(onWindow->parentWidget(), &w);

    EXPECT_EQ(w.Frame3->title(), u8("色彩调整"));
    EXPECT_EQ(w.Frame4->title(), u8("投资概预算"));
    EXPECT_EQ(w.Check3->text(), u8("魔方外观线"));
    EXPECT_EQ(w.Label2->caption(), u8("色差"));
    EXPECT_EQ(w.Command4->text(), u8("还原"));
    const char* effects[6] = {"平滑", "浮雕", "风化", "腐蚀", "变暗", "扩散"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(w.Command5[i]->text(), u8(effects[i]));
        EXPECT_EQ(w.Command5[i]->parentWidget(), w.Frame3);
        EXPECT_TRUE(w.Command5[i]->isVisible());
    }
    for (QWidget* c : {static_cast<QWidget*>(w.Command4), static_cast<QWidget*>(w.Label7),
                       static_cast<QWidget*>(w.Combo2), static_cast<QWidget*>(w.Text4),
                       static_cast<QWidget*>(w.Command3)}) {
        EXPECT_EQ(c->parentWidget(), w.Frame3);
        EXPECT_TRUE(c->isVisible());
        EXPECT_TRUE(w.Frame3->rect().contains(c->geometry()));
    }
    EXPECT_TRUE(w.Frame4->isVisible());
    EXPECT_TRUE(w.Text8->isVisible());
    EXPECT_TRUE(w.Label12->isVisible());
    EXPECT_TRUE(w.Label14->isHidden());
    EXPECT_TRUE(w.rect().contains(w.Frame4->geometry()));
    for (QWidget* frame : {static_cast<QWidget*>(w.Frame1), static_cast<QWidget*>(w.Frame2)})
        for (QWidget* c : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(frame->rect().contains(c->geometry())) << c->metaObject()->className();

    // None of edition 1.0's own controls.
    static_assert(!std::is_base_of_v<mosaic::Form1, Form1>);
    EXPECT_EQ(w.Command5.size(), 6u);
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        for (const char* text : {"擦除", "撤销", "画笔", "颜色拾取", "图像效果", "图像生成"}) {
            if (auto* button = qobject_cast<const QAbstractButton*>(c)) {
                EXPECT_NE(button->text(), u8(text));
            }
            if (auto* box = qobject_cast<const QGroupBox*>(c)) {
                EXPECT_NE(box->title(), u8(text));
            }
        }
    }
    EXPECT_EQ(w.Picture1->drawWidth(), 1);
}

TEST(Form1Edition09, StartUpAndTheSizeEstimate)
{
    LoadedForm f;
    Form1& w = f.form;
    const char* names[6] = {"红", "绿", "蓝", "白", "橙", "黄"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(w.Combo1[i]->currentText(), u8(names[i]));
    EXPECT_EQ(w.Combo2->currentText(), u8("白"));
    EXPECT_EQ(w.focusWidget(), w.Command2);
    EXPECT_FALSE(w.form2()->isVisible());
    EXPECT_EQ(w.Label14->caption().left(6), u8("CPU线程:"));
    EXPECT_EQ(w.Picture1->image(), mosaic::startPicture());

    EXPECT_EQ(w.Text8->text(), "1000");
    EXPECT_EQ(w.Label12->caption(), QString());
    w.Text8->selectAll();
    QTest::keyClicks(w.Text8, "100");
    EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n28*27"));
    w.Text1->setText("9");
    EXPECT_EQ(w.Label13->caption(), u8("造价\r\nCNY 88.2\r\nCNY 137.8"));

    // Generation is edition 1.0's.
    w.Text1->setText("10");
    w.Text2->setText("10");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_TRUE(w.form2()->isVisible());
}

TEST(Form1Edition09, RestoreAfterStartEffectsAndDrops)
{
    LoadedForm f;
    Form1& w = f.form;
    const QImage start = mosaic::startPicture();
    // Right after start-up: the start picture, twice.
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), start);

    // A drop: the restore point is the dropped picture.
    const QImage a = noisyPicture(40, 30);
    MessageRecorder messages;
    testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(savedPicture(f.dir, "a.png", a))});
    EXPECT_EQ(w.Text1->text(), "40");
    QTest::mouseClick(w.Command5[mosaic::kErode], Qt::LeftButton);
    ASSERT_NE(w.Picture1->image(), a);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), a);

    // Two effects: the picture between them, also when pressed twice.
    QTest::mouseClick(w.Command5[mosaic::kSmooth], Qt::LeftButton);
    const QImage between = w.Picture1->image();
    QImage smoothed;
    ASSERT_TRUE(mosaic::applyEffect(mosaic::kSmooth, a, smoothed));
    EXPECT_EQ(between, smoothed);  // the same effect as edition 1.0's
    QTest::mouseClick(w.Command5[mosaic::kDarken], Qt::LeftButton);
    EXPECT_EQ(w.windowTitle(), "Tilvane v0.9");
    w.Text1->setText("7");
    w.Text8->setText("100");
    const QString cost = w.Label13->caption();
    const QString size = w.Label12->caption();
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(w.Command4, Qt::LeftButton);
        EXPECT_EQ(w.Picture1->image(), between);
    }
    EXPECT_EQ(w.Text1->text(), "7");
    EXPECT_EQ(w.Text2->text(), "30");
    EXPECT_EQ(w.Label13->caption(), cost);
    EXPECT_EQ(w.Label12->caption(), size);

    // There is no erase effect.
    const QImage now = w.Picture1->image();
    w.Command5_Click(6);
    EXPECT_EQ(w.Picture1->image(), now);
    EXPECT_EQ(w.Picture2.image(), between);
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST(Form1Edition09, FailedDropsAndIdleReplacesMoveTheRestorePoint)
{
    LoadedForm f;
    Form1& w = f.form;
    // An effect on the start picture leaves the design-time copy behind.
    const QImage start = w.Picture1->image();
    QTest::mouseClick(w.Command5[mosaic::kEmboss], Qt::LeftButton);
    const QImage embossed = w.Picture1->image();
    QTest::mouseClick(w.Command5[mosaic::kWeather], Qt::LeftButton);
    ASSERT_NE(w.Picture2.image(), start);

    // A file that is no picture: the message, then the current picture is
    // the restore point.
    MessageRecorder messages;
    QFile junk(f.dir.filePath("notes.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    const QImage weathered = w.Picture1->image();
    ASSERT_NE(weathered, embossed);
    testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(junk.fileName())});
    EXPECT_EQ(messages.texts, QStringList{u8("不支持的图片格式")});
    EXPECT_EQ(messages.titles, QStringList{u8("错误")});
    EXPECT_EQ(w.Picture1->image(), weathered);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), weathered);

    // A drop without a file.
    QTest::mouseClick(w.Command5[mosaic::kDiffuse], Qt::LeftButton);
    const QImage diffused = w.Picture1->image();
    testing_support::dropUrls(w.Picture1, {QUrl("https://example.invalid/a.png")});
    EXPECT_EQ(w.Picture2.image(), diffused);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), diffused);

    // A replace that paints nothing still moves it; a refused tolerance not.
    QTest::mouseClick(w.Command5[mosaic::kSmooth], Qt::LeftButton);
    const QImage smoothed = w.Picture1->image();
    w.Text4->setText("40000");
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(w.Picture2.image(), diffused);
    w.Text4->setText("-1");
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), smoothed);
    EXPECT_EQ(w.Picture2.image(), smoothed);

    // A replace that paints: "还原" takes it back.
    w.pickedColor = w.Picture1->point(5, 5);
    w.Text4->setText("0");
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_NE(w.Picture1->image(), smoothed);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), smoothed);
}

TEST(Form1Edition09, LargePhotosLoadAndLargerOnesAreFailedDrops)
{
    LoadedForm f;
    Form1& w = f.form;
    picture_checks::largePhotoLoadsAndGenerates(w, f.dir);
    EXPECT_EQ(w.Picture2.image(), w.Picture1->image());
    // Beyond the limit: refused as any failed drop, which moves the restore
    // point to the picture shown.
    QTest::mouseClick(w.Command5[mosaic::kErode], Qt::LeftButton);
    ASSERT_NE(w.Picture2.image(), w.Picture1->image());
    const QImage eroded = w.Picture1->image().copy();
    picture_checks::tooLargePictureIsRefused(w, f.dir);
    EXPECT_EQ(w.Picture2.image(), eroded);
    w.Picture1->pset(3, 3, 0x00FF00);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->image(), eroded);
}

TEST(Form1Edition09, ClicksCaptionsAndTheStartSizeCost)
{
    {
        LoadedForm f;
        picture_checks::dropOfTheStartSizeShowsTheCost(f.form, f.dir);
        picture_checks::everyButtonClickPicks(f.form);
    }
    LoadedForm f;
    picture_checks::captionsStayOverAGrownPicture(f.form, f.dir, {f.form.Label11});
}

TEST(Form1Edition09, SizeEstimateOfADroppedPicture)
{
    LoadedForm f;
    Form1& w = f.form;
    testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(savedPicture(f.dir, "tall.png", noisyPicture(100, 240)))});
    w.Text8->selectAll();
    QTest::keyClicks(w.Text8, "375");
    EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n38*90"));
}

TEST(Form1Edition09, SmallPatternFillsThePreview)
{
    LoadedForm f;
    picture_checks::smallPatternFillsThePreview(f.form);
}
