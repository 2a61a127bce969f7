#include "platform/controls.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

TEST(Controls, TextBoxChangeRunsForCodeAndTyping)
{
    TextBox box("1");
    QSignalSpy spy(&box, &TextBox::change);
    box.setText("2");
    box.setText("2");
    QTest::keyClicks(&box, "3");
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(box.text(), "23");
}

TEST(Controls, ComboClickRunsOnSelectionNeverOnFilling)
{
    ComboList combo;
    QSignalSpy spy(&combo, &ComboList::click);
    combo.fill({"a", "b"});
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(combo.listIndex(), -1);
    combo.setListIndex(1);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(combo.currentText(), "b");
    combo.addListItem("c");
    EXPECT_EQ(combo.listIndex(), 1);
    EXPECT_EQ(spy.count(), 1);
}

TEST(Controls, CheckBoxValuesAndClicks)
{
    CheckBox box("x", 2);
    EXPECT_EQ(box.value(), 2);
    QSignalSpy ups(&box, &CheckBox::mouseUp);
    int valueAtMouseUp = -1;
    QObject::connect(&box, &CheckBox::mouseUp, [&] { valueAtMouseUp = box.value(); });
    box.resize(80, 20);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(valueAtMouseUp, 1);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(box.value(), 0);
    box.setValue(1);
    EXPECT_EQ(ups.count(), 2);
}

TEST(Controls, LabelKeepsItsCaptionAndTwipsPlaceInPixels)
{
    Label label(QString::fromUtf8("造价\r\n2"));
    EXPECT_EQ(label.caption(), QString::fromUtf8("造价\r\n2"));
    EXPECT_EQ(label.text(), QString::fromUtf8("造价\n2"));
    placeTwips(&label, 150, 30, 1515, 7);
    EXPECT_EQ(label.geometry(), QRect(10, 2, 101, 0));
}
