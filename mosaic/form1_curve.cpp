#include "mosaic/form1.h"

#include "mosaic/fast_drawing.h"
#include "platform/color_value.h"

#include <QPainter>

namespace mosaic {

using platform::rgbValue;

namespace {

// The curve box: a one-pixel border around 99 pixels that show 260 units.
constexpr double kCurveUnits = 260.0;
constexpr double kCurveInsidePixels = 99.0;
constexpr double kCurveBorder = 1.0;

}  // namespace

// Start-up block of the tone curve: its points and the first curve build.
void Form1::setupToneCurve()
{
    dragging = false;
    selPoint = -1;
    curve = ToneCurve();
    curve.curveMinX = 256;
    curve.curveMaxX = -1;
    connectCurveHandlers();
    runCurveEvent({CurveEventKind::Update, 0, 0, 0.0f, 0.0f});
}

void Form1::connectCurveHandlers()
{
    using platform::PictureBox;
    picCurve->setMouseTracking(true);
    const auto inside = [](double px, double py) {
        return px >= kCurveBorder && py >= kCurveBorder && px < kCurveBorder + kCurveInsidePixels &&
               py < kCurveBorder + kCurveInsidePixels;
    };
    // The border is no part of the box's inside: presses there are not the
    // box's, and moves over it count only while a drag holds the mouse.
    connect(picCurve, &PictureBox::mouseDown, this, [this, inside](int button, int shift, double x, double y) {
        if (!inside(x, y))
            return;
        const QPointF u = curveUnitsOf(x, y);
        picCurve_MouseDown(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
    });
    connect(picCurve, &PictureBox::mouseMove, this, [this, inside](int button, int shift, double x, double y) {
        if (!inside(x, y) && !dragging)
            return;
        const QPointF u = curveUnitsOf(x, y);
        picCurve_MouseMove(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
    });
    connect(picCurve, &PictureBox::mouseUp, this, [this](int button, int shift, double x, double y) {
        const QPointF u = curveUnitsOf(x, y);
        picCurve_MouseUp(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
    });
}

QPointF Form1::curveUnitsOf(double px, double py)
{
    const double scale = kCurveUnits / kCurveInsidePixels;
    return QPointF((px - kCurveBorder) * scale, (py - kCurveBorder) * scale);
}

void Form1::picCurve_MouseDown(int Button, int Shift, float X, float Y)
{
    runCurveEvent({CurveEventKind::Down, Button, Shift, X, Y});
}

void Form1::picCurve_MouseMove(int Button, int Shift, float X, float Y)
{
    runCurveEvent({CurveEventKind::Move, Button, Shift, X, Y});
}

void Form1::picCurve_MouseUp(int Button, int Shift, float X, float Y)
{
    runCurveEvent({CurveEventKind::Up, Button, Shift, X, Y});
}

void Form1::runCurveEvent(const CurveEvent& event)
{
    if (curveBusy_) {
        // Arrived through the event pump of a running update: handle it after.
        if (event.kind == CurveEventKind::Move && !curveQueue_.empty() &&
            curveQueue_.back().kind == CurveEventKind::Move)
            curveQueue_.back() = event;
        else
            curveQueue_.push_back(event);
        return;
    }
    curveBusy_ = true;
    handleCurveEvent(event);
    while (!curveQueue_.empty()) {
        const CurveEvent next = curveQueue_.front();
        curveQueue_.erase(curveQueue_.begin());
        handleCurveEvent(next);
    }
    curveBusy_ = false;
}

void Form1::handleCurveEvent(const CurveEvent& event)
{
    // Every button works alike; the shift state is not looked at.
    switch (event.kind) {
    case CurveEventKind::Down:
        curveMouseDown(event.x, event.y);
        break;
    case CurveEventKind::Move:
        curveMouseMove(event.x, event.y);
        break;
    case CurveEventKind::Up:
        curveMouseUp();
        break;
    case CurveEventKind::Update:
        updateCurve();
        break;
    }
}

void Form1::curveMouseDown(float X, float Y)
{
    selPoint = -1;
    const int32_t hit = curve.findPoint(boxRound(X), boxRound(Y));
    if (hit >= 0) {
        selPoint = hit;
    } else if (const int32_t same = curve.pointWithX(X); same >= 0) {
        selPoint = same;
        picCurve->setCursor(Qt::SizeAllCursor);
    } else {
        const int32_t k = curve.addPoint(X, Y);
        if (k >= 0) {
            updateCurve();
            picCurve->setCursor(Qt::SizeAllCursor);
            selPoint = k;
        }
    }
    dragging = true;
}

void Form1::curveMouseMove(float X, float Y)
{
    if (dragging && selPoint >= 1)
        curve.movePoint(selPoint, X, Y);
    updateCurve();
    if (!dragging) {
        if (curve.findPoint(boxRound(X), boxRound(Y)) >= 0)
            picCurve->setCursor(Qt::SizeAllCursor);
        else
            picCurve->setCursor(Qt::ArrowCursor);
    }
}

void Form1::curveMouseUp()
{
    dragging = false;
    picCurve->setCursor(Qt::ArrowCursor);
}

void Form1::updateCurve()
{
    ++curveUpdates_;
    // 1. Clear the box; its border around the inside.
    picCurve->cls();
    QImage& image = picCurve->imageForWriting();
    {
        QPainter p(&image);
        p.setPen(platform::toQColor(rgbValue(128, 128, 128)));
        p.drawRect(image.rect().adjusted(0, 0, -1, -1));
        p.setClipRect(QRect(1, 1, image.width() - 2, image.height() - 2));
        p.translate(kCurveBorder, kCurveBorder);
        const double scale = kCurveInsidePixels / kCurveUnits;
        p.scale(scale, scale);
        QPen pen(platform::toQColor(rgbValue(128, 128, 128)));
        pen.setCosmetic(true);
        // 2. Grid.
        p.setPen(pen);
        for (int v = 0; v <= 256; v += 32) {
            p.drawLine(QLineF(v, 0, v, 256));
            p.drawLine(QLineF(0, v, 256, v));
        }
        // 3. Points; the selected one filled.
        pen.setColor(Qt::red);
        p.setPen(pen);
        for (int i = 1; i <= curve.nPoints; ++i) {
            p.setBrush(i == selPoint ? QBrush(Qt::red) : QBrush(Qt::NoBrush));
            p.drawEllipse(QPointF(curve.ptX[i], curve.ptY[i]), 10.0, 10.0);
        }
        p.setBrush(Qt::NoBrush);
        // 4.-7. The table.
        curve.rebuildTable();
        // 8. Curve.
        pen.setColor(Qt::black);
        p.setPen(pen);
        for (int x = 0; x <= 255; ++x)
            p.drawLine(QLineF(x, curve.curveY(x), x - 1, curve.curveY(x - 1)));
    }
    // 9. Show it.
    picCurve->refresh();
    // 10. Apply.
    drawCurves(PicBACK, Picture1);
}

void Form1::drawCurves(platform::PictureBox* srcPic, platform::PictureBox* dstPic)
{
    FastDrawing drawing;
    const int32_t width = drawing.GetImageWidth(*srcPic);
    const int32_t height = drawing.GetImageHeight(*srcPic);
    // The buffer is kept between updates, so a drag allocates no new one.
    drawing.GetImageData2D(*srcPic, curveBuffer_);
    const ToneTable lut = toneLut(curve.curveY);
    applyToneLut(curveBuffer_, width, height, lut);
    drawing.SetImageData2D(*dstPic, width, height, curveBuffer_);
}

}  // namespace mosaic
