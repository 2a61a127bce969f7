#include "mosaic/form1.h"
#include "mosaic/tests/loaded_form.h"

#include "platform/color_value.h"
#include "platform/testing/test_helpers.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace mosaic;

namespace {


// Pixel position in the curve box of a position in box units.
QPoint boxPixel(double ux, double uy)
{
    return QPoint(qRound(1 + ux * 99 / 260), qRound(1 + uy * 99 / 260));
}

void hover(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// Every pixel of the working picture is the backing copy through the curve.
void expectCurveApplied(Form1& w)
{
    const ToneTable lut = toneLut(w.picCurve->curve().curveY);
    const QImage& back = w.PicBACK->image();
    const QImage& work = w.Picture1->image();
    ASSERT_EQ(back.size(), work.size());
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x) {
            const QRgb b = back.pixel(x, y);
            ASSERT_EQ(work.pixel(x, y), qRgb(lut[qRed(b)], lut[qGreen(b)], lut[qBlue(b)])) << x << "," << y;
        }
}

}  // namespace

TEST(ToneCurveWindow, StartsWithTheIdentityCurve)
{
    LoadedForm f;
    Form1& w = f.form;
    EXPECT_EQ(w.picCurve->curve().nPoints, 3);
    EXPECT_EQ(w.picCurve->selPoint(), -1);
    EXPECT_FALSE(w.picCurve->dragging());
    for (int x = 0; x <= 255; ++x)
        ASSERT_EQ(w.picCurve->curve().curveY(x), 255 - x);
    EXPECT_EQ(w.picCurve->curve().curveY(256), 1);
    EXPECT_EQ(w.Picture1->image(), w.PicBACK->image());
    EXPECT_EQ(w.picCurve->image().size(), QSize(101, 101));
    // The box shows its grid, the red points and the black diagonal.
    EXPECT_EQ(w.picCurve->point(boxPixel(80, 200).x(), boxPixel(80, 200).y()), platform::rgbValue(224, 224, 224));
    const QPoint mid = boxPixel(128, 127);
    EXPECT_EQ(w.picCurve->point(mid.x(), mid.y()), 0);
    EXPECT_EQ(w.picCurve->point(mid.x(), mid.y() - 4), platform::rgbValue(255, 0, 0));
}

TEST(ToneCurveWindow, PressGrabsOrAddsPoints)
{
    LoadedForm f;
    Form1& w = f.form;
    // Exactly on a point's x, far away vertically: grabbed.
    w.picCurve_MouseDown(1, 0, 128, 10);
    EXPECT_EQ(w.picCurve->selPoint(), 2);
    EXPECT_EQ(w.picCurve->curve().nPoints, 3);
    EXPECT_TRUE(w.picCurve->dragging());
    EXPECT_EQ(w.picCurve->cursor().shape(), Qt::SizeAllCursor);
    w.picCurve_MouseUp(1, 0, 128, 10);
    EXPECT_FALSE(w.picCurve->dragging());
    EXPECT_EQ(w.picCurve->selPoint(), 2);  // stays drawn filled
    EXPECT_EQ(w.picCurve->cursor().shape(), Qt::ArrowCursor);

    // Within 6 units of the rounded position: grabbed, no new point.
    w.picCurve_MouseDown(4, 0, 3.4f, 251.6f);
    EXPECT_EQ(w.picCurve->selPoint(), 1);
    EXPECT_EQ(w.picCurve->curve().nPoints, 3);
    w.picCurve_MouseUp(4, 0, 0, 0);

    // Away from every point: a new point between, selected after the redraw.
    w.picCurve_MouseDown(2, 0, 64.5f, 40.25f);
    EXPECT_EQ(w.picCurve->curve().nPoints, 4);
    EXPECT_EQ(w.picCurve->selPoint(), 2);
    EXPECT_EQ(w.picCurve->curve().ptX[2], 64.5f);
    EXPECT_EQ(w.picCurve->curve().ptY[2], 40.25f);
    EXPECT_NE(w.Picture1->image(), w.PicBACK->image());
    expectCurveApplied(w);
    w.picCurve_MouseUp(2, 0, 0, 0);

    // Right of the last point (in the box's last units): a new last point.
    w.picCurve_MouseDown(1, 0, 258.5f, 100);
    EXPECT_EQ(w.picCurve->selPoint(), 5);
    EXPECT_EQ(w.picCurve->curve().ptX[5], 258.5f);
    EXPECT_EQ(w.picCurve->curve().curveMaxX, 256);
    w.picCurve_MouseUp(1, 0, 0, 0);
}

TEST(ToneCurveWindow, ThirtyThirdPointIsRefusedAndItsDragMovesNothing)
{
    LoadedForm f;
    Form1& w = f.form;
    for (int k = 0; w.picCurve->curve().nPoints < 32; ++k) {
        w.picCurve_MouseDown(1, 0, 8.0f + 8 * k, 0);
        w.picCurve_MouseUp(1, 0, 0, 0);
    }
    const std::vector<float> xs = w.picCurve->curve().ptX;
    const std::vector<float> ys = w.picCurve->curve().ptY;
    w.picCurve_MouseDown(1, 0, 250, 100);
    EXPECT_EQ(w.picCurve->curve().nPoints, 32);
    EXPECT_EQ(w.picCurve->selPoint(), -1);
    EXPECT_TRUE(w.picCurve->dragging());
    w.picCurve_MouseMove(1, 0, 100, 100);
    EXPECT_EQ(w.picCurve->curve().ptX, xs);
    EXPECT_EQ(w.picCurve->curve().ptY, ys);
}

TEST(ToneCurveWindow, DraggingWithTheMouseReshapesThePicture)
{
    LoadedForm f;
    Form1& w = f.form;
    w.PicBACK->setImage(testing_support::patternImage(40, 30));
    w.writeBackingCopy();
    w.Picture1->setImage(w.PicBACK->image());
    const QPoint start = boxPixel(128, 127);
    QTest::mousePress(w.picCurve, Qt::LeftButton, Qt::NoModifier, start);
    EXPECT_EQ(w.picCurve->selPoint(), 2);
    hover(w.picCurve, QPoint(60, 40), Qt::LeftButton);
    const QPointF u = CurveEditor::curveUnitsOf(60, 40);
    EXPECT_EQ(w.picCurve->curve().ptX[2], static_cast<float>(u.x()));
    EXPECT_EQ(w.picCurve->curve().ptY[2], static_cast<float>(u.y()));
    QTest::mouseRelease(w.picCurve, Qt::LeftButton, Qt::NoModifier, QPoint(60, 40));
    EXPECT_FALSE(w.picCurve->dragging());
    expectCurveApplied(w);
    EXPECT_NE(w.Picture1->image(), w.PicBACK->image());

    // Hovering: the cursor shows whether a point is under the mouse.
    hover(w.picCurve, QPoint(60, 40));
    EXPECT_EQ(w.picCurve->cursor().shape(), Qt::SizeAllCursor);
    hover(w.picCurve, QPoint(90, 10));
    EXPECT_EQ(w.picCurve->cursor().shape(), Qt::ArrowCursor);
    // The border is not the box's inside.
    const int points = w.picCurve->curve().nPoints;
    QTest::mousePress(w.picCurve, Qt::LeftButton, Qt::NoModifier, QPoint(0, 50));
    EXPECT_EQ(w.picCurve->curve().nPoints, points);
    EXPECT_FALSE(w.picCurve->dragging());
    QTest::mouseRelease(w.picCurve, Qt::LeftButton, Qt::NoModifier, QPoint(0, 50));
}

TEST(ToneCurveWindow, EveryMoveRebuildsTheWorkingPictureFromTheBackingCopy)
{
    LoadedForm f;
    Form1& w = f.form;
    const QImage original = w.PicBACK->image();
    // Drawing that reached only the working picture is lost on a move ...
    w.Picture1->fillBox(10, 10, 40, 40, 0x00FF00);
    hover(w.picCurve, QPoint(90, 10));
    EXPECT_EQ(w.Picture1->image(), original);
    // ... and kept once the backing copy took it.
    w.Picture1->fillBox(10, 10, 40, 40, 0x00FF00);
    w.writeBackingCopy();
    hover(w.picCurve, QPoint(90, 10));
    EXPECT_EQ(w.Picture1->point(20, 20), 0x00FF00);
    EXPECT_EQ(w.Picture1->image(), w.PicBACK->image());

    // A working picture larger than the backing copy is filled whole.
    w.Picture1->resizeImage(300, 280);
    w.Picture1->cls();
    w.Picture1->fillBox(0, 0, 299, 279, 0x123456);
    hover(w.picCurve, QPoint(90, 10));
    const QImage& work = w.Picture1->image();
    EXPECT_EQ(work.size(), QSize(300, 280));
    for (int y = 0; y < work.height(); ++y)
        for (int x = 0; x < work.width(); ++x)
            ASSERT_NE(work.pixel(x, y), qRgb(0x56, 0x34, 0x12)) << x << "," << y;
    EXPECT_EQ(w.Picture1->point(299, 279), w.PicBACK->point(259, 246));
}

TEST(ToneCurveWindow, MovesArrivingDuringAnUpdateRunAfterItCoalesced)
{
    LoadedForm f;
    Form1& w = f.form;
    w.picCurve_MouseDown(1, 0, 128, 127);
    ASSERT_EQ(w.picCurve->selPoint(), 2);
    // Two moves wait in the event queue; the write's event pump meets them.
    for (const QPoint at : {QPoint(40, 40), QPoint(55, 30)}) {
        QCoreApplication::postEvent(w.picCurve, new QMouseEvent(QEvent::MouseMove, at, w.picCurve->mapToGlobal(at),
                                                                Qt::NoButton, Qt::LeftButton, Qt::NoModifier));
    }
    const int before = w.picCurve->updateCount();
    w.picCurve_MouseMove(1, 0, 100, 100);
    // One update for the call, one for the newest waiting move; no nesting.
    EXPECT_EQ(w.picCurve->updateCount(), before + 2);
    const QPointF last = CurveEditor::curveUnitsOf(55, 30);
    EXPECT_EQ(w.picCurve->curve().ptX[2], static_cast<float>(last.x()));
    EXPECT_EQ(w.picCurve->curve().ptY[2], static_cast<float>(last.y()));
    expectCurveApplied(w);
}

TEST(ToneCurveWindow, CurveMovesRebuildFromTheBackingCopyAfterReplaceAndUndo)
{
    LoadedForm f;
    Form1& w = f.form;
    const QImage start = w.Picture1->image();
    // A replace does not write the backing copy: the next curve move loses it.
    w.pickedColor = w.Picture1->point(40, 40);
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    const QImage replaced = w.Picture1->image();
    ASSERT_NE(replaced, start);
    hover(w.picCurve, boxPixel(100, 100));
    EXPECT_EQ(w.Picture1->image(), start);

    // Replace, then a click on the picture (its release writes the backing
    // copy), then a move: the replacement stays.
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(5, 5));
    hover(w.picCurve, boxPixel(120, 120));
    EXPECT_EQ(w.Picture1->image(), replaced);

    // Undo restores the picture before the replace and its backing copy; a
    // curve change then starts from it.
    QTest::mouseClick(w.Command4[0], Qt::LeftButton);
    EXPECT_EQ(w.PicBACK->image(), start);
    QTest::mousePress(w.picCurve, Qt::LeftButton, {}, boxPixel(130, 130));
    hover(w.picCurve, boxPixel(130, 60), Qt::LeftButton);
    QTest::mouseRelease(w.picCurve, Qt::LeftButton, {}, boxPixel(130, 60));
    EXPECT_NE(w.Picture1->image(), start);
    expectCurveApplied(w);
}
