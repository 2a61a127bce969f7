#include "platform/controls.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
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

TEST(Controls, TextBoxCutsPastedTextAtTheFirstLineBreakAndHoldsAnyLength)
{
    TextBox box;
    QSignalSpy spy(&box, &TextBox::change);
    QApplication::clipboard()->setText("ab\r\ncd");
    box.setFocus();
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), "ab");
    EXPECT_EQ(spy.count(), 1);

    // Pasted between two characters: the text after the cursor stays.
    box.setText("xz");
    box.setCursorPosition(1);
    QApplication::clipboard()->setText("1\n2");
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), "x1z");
    EXPECT_EQ(box.cursorPosition(), 2);
    box.setText("");
    QApplication::clipboard()->setText("\rcd");
    box.paste();
    EXPECT_EQ(box.text(), "");
    box.insert("line\rrest");
    EXPECT_EQ(box.text(), "line");

    // A dropped text is cut the same way.
    QMimeData mime;
    mime.setText("drop\r\nped");
    box.setText("");
    box.resize(200, 24);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &drop);
    EXPECT_EQ(box.text(), "drop");

    const QString whole(40000, u'好');
    box.setText(whole);
    EXPECT_EQ(box.text(), whole);
    box.end(false);
    QTest::keyClicks(&box, "1");
    EXPECT_EQ(box.text().size(), 40001);
}

TEST(Controls, TextBoxKeepsLineBreaksSetByTheProgram)
{
    TextBox box;
    QSignalSpy spy(&box, &TextBox::change);
    box.setText("amy\r\nx");
    EXPECT_EQ(box.text(), "amy\r\nx");
    box.setText("\nlf");
    EXPECT_EQ(box.text(), "\nlf");
    EXPECT_EQ(spy.count(), 2);

    // Typing keeps the breaks already there; only what is pasted is cut.
    box.setFocus();
    box.end(false);
    QTest::keyClicks(&box, "z");
    EXPECT_EQ(box.text(), "\nlfz");
    box.setCursorPosition(0);
    QApplication::clipboard()->setText("p\rq");
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), "p\nlfz");
    EXPECT_EQ(box.cursorPosition(), 1);
    TextBox made("a\r\nb");
    EXPECT_EQ(made.text(), "a\r\nb");
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
