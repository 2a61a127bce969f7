#include "mosaic/effects.h"
#include "mosaic/form1.h"
#include "mosaic/tests/loaded_form.h"
#include "platform/color_value.h"
#include "platform/testing/window_helpers.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace mosaic;
using platform::rgbValue;

using testing_support::u8;

namespace {



// A picture without linear runs, so that every effect changes it.
QImage noisyPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * x * 7 + y * 13) & 255, (x * y * 5) & 255, ((x + y * y) * 3) & 255));
    return img;
}

ColorValue shade(const char* name)
{
    Palette p;
    p.storeTexts();
    return STR_to_RGB(p.colorStr[slotOfName(u8(name))]);
}

}  // namespace

TEST(Form1Tools, EffectButtonsPaintTheResultAndWriteTheBackingCopy)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Picture1->setImage(noisyPicture(40, 30));
    for (int effect : {kSmooth, kEmboss, kWeather, kErode, kDarken}) {
        const QImage before = w.Picture1->image();
        QImage expected;
        applyEffect(effect, before, expected, 0, 1);
        QTest::mouseClick(w.Command5[effect], Qt::LeftButton);
        EXPECT_EQ(w.Picture1->image(), expected) << effect;
        EXPECT_EQ(w.PicBACK->image(), expected) << effect;
        EXPECT_EQ(w.windowTitle(), "Tilvane v1.0");
    }
    // Diffuse: every interior pixel comes from a neighbour, the frame stays.
    const QImage before = w.Picture1->image();
    QTest::mouseClick(w.Command5[kDiffuse], Qt::LeftButton);
    const QImage after = w.Picture1->image();
    EXPECT_EQ(w.PicBACK->image(), after);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            if (x == 0 || y == 0 || x == 39 || y == 29) {
                ASSERT_EQ(after.pixel(x, y), before.pixel(x, y));
                continue;
            }
            bool fromNeighbour = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    fromNeighbour |= (dx || dy) && after.pixel(x, y) == before.pixel(x + dx, y + dy);
            ASSERT_TRUE(fromNeighbour) << x << "," << y;
        }
    // Erase: same size, plain light background, backing copy too.
    QTest::mouseClick(w.Command5[kErase], Qt::LeftButton);
    QImage blank(40, 30, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(w.Picture1->image(), blank);
    EXPECT_EQ(w.PicBACK->image(), blank);
    EXPECT_EQ(w.windowTitle(), "Tilvane v1.0");
}

TEST(Form1Tools, ColourReplaceWithinTheTolerance)
{
    LoadedForm f;
    Form1& w = f.form;
    testing_support::MessageRecorder boxes;
    QImage pic(5, 1, QImage::Format_RGB32);
    const ColorValue colours[5] = {rgbValue(100, 100, 100), rgbValue(100, 100, 101), rgbValue(115, 120, 100),
                                   rgbValue(115, 120, 101), rgbValue(0, 0, 0)};
    for (int x = 0; x < 5; ++x)
        pic.setPixel(x, 0, platform::toQRgb(colours[x]));
    w.Picture1->setImage(pic);
    w.writeBackingCopy();
    w.pickedColor = colours[0];
    w.Combo2->setListIndex(2);  // 黑
    const ColorValue black = shade("黑");

    w.Text4->setText("0");
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(w.Picture1->point(0, 0), black);
    EXPECT_EQ(w.Picture1->point(1, 0), colours[1]);
    EXPECT_EQ(w.PicBACK->image(), pic);  // the replace leaves the backing copy

    w.Picture1->setImage(pic);
    w.Text4->setText("25");  // distance 25 is in, 25.02 (rounded 25) too, 26 out
    w.Combo2->setListIndex(0);  // 白
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    const ColorValue white = shade("白");
    EXPECT_EQ(w.Picture1->point(0, 0), white);
    EXPECT_EQ(w.Picture1->point(1, 0), white);
    EXPECT_EQ(w.Picture1->point(2, 0), white);
    EXPECT_EQ(w.Picture1->point(3, 0), white);
    EXPECT_EQ(w.Picture1->point(4, 0), colours[4]);

    // A negative tolerance paints nothing; beyond 16 bits is refused untouched.
    w.Picture1->setImage(pic);
    for (const char* text : {"-1", "40000", "1e400", "-32769"}) {
        w.Text4->setText(text);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        EXPECT_EQ(w.Picture1->image(), pic) << text;
    }
    EXPECT_EQ(boxes.texts.size(), 3);
    EXPECT_EQ(boxes.titles.value(0), u8("错误"));
    EXPECT_TRUE(boxes.texts.value(0).contains(u8("容许色差")));
}

TEST(Form1Tools, EstimatesFollowTheirBoxes)
{
    LoadedForm f;
    Form1& w = f.form;
    EXPECT_EQ(w.Label13->caption(), u8("造价"));
    EXPECT_EQ(w.Label12->caption(), QString());
    w.Text1->setText("9");
    EXPECT_EQ(w.Label13->caption(), u8("造价\r\nCNY 88.2\r\nCNY 137.8"));
    w.Text2->setText("1");
    EXPECT_EQ(w.Label13->caption(), u8("造价\r\nCNY 20.55\r\nCNY 20.95"));
    w.Text2->clear();
    QTest::keyClicks(w.Text2, "abc");
    EXPECT_EQ(w.Label13->caption(), u8("造价\r\nCNY 20\r\nCNY 20"));
    w.Text2->setText("1e999");
    EXPECT_EQ(w.Label13->caption(), u8("造价\r\nCNY 20\r\nCNY 20"));

    // The start picture is 260 x 247.
    w.Text8->setText("64220");
    EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n260*247"));
    w.Text8->setText("1000");
    EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n95*90"));
    for (const char* text : {"-5", "abc", "", "99999999999"}) {
        w.Text8->setText(text);
        EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n95*90")) << text;
    }
    w.Text8->setText("0");
    EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n0*0"));
    // Another picture is used by the next change only.
    w.Picture1->setImage(testing_support::patternImage(30, 20));
    EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n0*0"));
    w.Text8->setText("600");
    EXPECT_EQ(w.Label12->caption(), u8("估算大小\r\n30*20"));
}

// Runs once the undo buttons restore snapshots from the undo history.
TEST(Form1Tools, EachEffectAndTheReplaceCanBeUndone)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Picture1->setImage(noisyPicture(30, 20));
    w.pickedColor = w.Picture1->point(3, 3);
    for (int step = 0; step <= kEffects; ++step) {
        const QImage before = w.Picture1->image();
        QTest::mouseClick(step < kEffects ? w.Command5[step] : w.Command3, Qt::LeftButton);
        ASSERT_NE(w.Picture1->image(), before) << step;
        QTest::mouseClick(w.Command4[step % 2], Qt::LeftButton);
        EXPECT_EQ(w.Picture1->image(), before) << step;
        EXPECT_EQ(w.PicBACK->image(), before) << step;
    }
}
