#include "mosaic/form1.h"
#include "mosaic/tests/loaded_form.h"
#include "mosaic/form2.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/testing/test_helpers.h"

using namespace mosaic;

using testing_support::u8;


TEST(Form1Window, StartUpShowsThePaletteAndFocus)
{
    LoadedForm f;
    Form1& w = f.form;
    EXPECT_EQ(w.windowTitle(), "Tilvane v1.0");
    EXPECT_EQ(w.size(), QSize(596, 386));
    const char* names[6] = {"红", "绿", "蓝", "白", "橙", "黄"};
    const ColorValue tints[6] = {199 + 27 * 256 + 39 * 65536, 165 * 256, 255 * 65536, 0xFFFFFF, 255 + 128 * 256, 222 + 222 * 256};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(w.Combo1[i]->currentText(), u8(names[i]));
        EXPECT_EQ(w.Combo1[i]->backColor(), tints[i]);
        EXPECT_EQ(w.palette.faceColor[i], tints[i]);
    }
    EXPECT_EQ(w.Combo2->currentText(), u8("白"));
    EXPECT_EQ(w.Combo3->currentText(), u8("白"));
    EXPECT_EQ(w.Label14->caption(), u8("CPU线程:") + QString::number(QThread::idealThreadCount()));
    EXPECT_TRUE(w.Label14->isHidden());
    EXPECT_TRUE(w.Frame4->isHidden());
    EXPECT_EQ(w.focusWidget(), w.Command2);
    EXPECT_FALSE(w.form2()->isVisible());
    EXPECT_EQ(w.Picture1->image(), w.PicBACK->image());
    EXPECT_EQ(w.Picture1->image().size(), QSize(260, 247));
    EXPECT_EQ(w.Text1->text(), "131");
    EXPECT_EQ(w.Label1->caption(), u8("宽        高"));
    EXPECT_EQ(w.Check1->value(), 1);
    EXPECT_TRUE(w.Option1[1]->isChecked());
}

TEST(Form1Window, ChoosingAShadeAndReadingTargets)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Text9->setFocus();
    w.Combo1[3]->setListIndex(1);  // 灰
    EXPECT_EQ(w.palette.faceColor[3], 111 + 111 * 256 + 111 * 65536);
    EXPECT_EQ(w.Combo1[3]->backColor(), 111 + 111 * 256 + 111 * 65536);
    EXPECT_EQ(w.palette.faceStr[3], "111111111");
    EXPECT_EQ(w.focusWidget(), w.Command2);
    // Default targets send white to face 3 ... with grey, white lies 250 away.
    w.Combo1[3]->setListIndex(0);
    EXPECT_EQ(w.GetFace(255, 255, 255), 3);
    w.Text3[3]->setText("abc");
    w.Text3[5]->setText("");
    EXPECT_EQ(w.targetDistances()[3], 0);
    EXPECT_EQ(w.targetDistances()[5], 0);
    EXPECT_EQ(w.GetFace(255, 255, 255), 3);
}

TEST(Form1Window, ClosingClosesThePreview)
{
    LoadedForm f;
    f.form.form2()->show();
    ASSERT_TRUE(f.form.form2()->isVisible());
    f.form.close();
    EXPECT_FALSE(f.form.form2()->isVisible());
}
