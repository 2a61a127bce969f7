#include "mosaic/curve_editor.h"

#include "platform/color_value.h"

#include <QPainter>

namespace mosaic {

using platform::rgbValue;

namespace {

// A one-pixel border around 99 pixels that show 260 units.
constexpr double kCurveUnits = 260.0;
constexpr double kCurveInsidePixels = 99.0;
constexpr double kCurveBorder = 1.0;

bool inside(double px, double py)
{
    return px >= kCurveBorder && py >= kCurveBorder && px < kCurveBorder + kCurveInsidePixels &&
           py < kCurveBorder + kCurveInsidePixels;
}

}  // namespace

CurveEditor::CurveEditor(QWidget* parent) : PictureBox(parent)
{
    setBackColor(rgbValue(224, 224, 224));
    resizeImage(101, 101);
}

void CurveEditor::start()
{
    dragging_ = false;
    selPoint_ = -1;
    curve_ = ToneCurve();
    curve_.curveMinX = 256;
    curve_.curveMaxX = -1;
    connectMouse();
    run({EventKind::Update, 0, 0, 0.0f, 0.0f});
}

void CurveEditor::connectMouse()
{
    setMouseTracking(true);
    if (mouseConnected_)
        return;
    mouseConnected_ = true;
    // The border is no part of the box's inside: presses there are not the
    // box's, and moves over it count only while a drag holds the mouse.
    connect(this, &PictureBox::mouseDown, this, [this](int button, int shift, double x, double y) {
        if (!inside(x, y))
            return;
        const QPointF u = curveUnitsOf(x, y);
        mouseDownAt(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
    });
    connect(this, &PictureBox::mouseMove, this, [this](int button, int shift, double x, double y) {
        if (!inside(x, y) && !dragging_)
            return;
        const QPointF u = curveUnitsOf(x, y);
        mouseMoveAt(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
    });
    connect(this, &PictureBox::mouseUp, this, [this](int button, int shift, double x, double y) {
        const QPointF u = curveUnitsOf(x, y);
        mouseUpAt(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
    });
}

QPointF CurveEditor::curveUnitsOf(double px, double py)
{
    const double scale = kCurveUnits / kCurveInsidePixels;
    return QPointF((px - kCurveBorder) * scale, (py - kCurveBorder) * scale);
}

void CurveEditor::mouseDownAt(int button, int shift, float x, float y)
{
    run({EventKind::Down, button, shift, x, y});
}

void CurveEditor::mouseMoveAt(int button, int shift, float x, float y)
{
    run({EventKind::Move, button, shift, x, y});
}

void CurveEditor::mouseUpAt(int button, int shift, float x, float y)
{
    run({EventKind::Up, button, shift, x, y});
}

void CurveEditor::run(const Event& event)
{
    if (busy_) {
        // Arrived through the event pump of a running update: handle it after.
        if (event.kind == EventKind::Move && !queue_.empty() && queue_.back().kind == EventKind::Move)
            queue_.back() = event;
        else
            queue_.push_back(event);
        return;
    }
    busy_ = true;
    handle(event);
    while (!queue_.empty()) {
        const Event next = queue_.front();
        queue_.erase(queue_.begin());
        handle(next);
    }
    busy_ = false;
}

void CurveEditor::handle(const Event& event)
{
    // Every button works alike; the shift state is not looked at.
    switch (event.kind) {
    case EventKind::Down:
        pressAt(event.x, event.y);
        break;
    case EventKind::Move:
        moveTo(event.x, event.y);
        break;
    case EventKind::Up:
        release();
        break;
    case EventKind::Update:
        updateCurve();
        break;
    }
}

void CurveEditor::pressAt(float x, float y)
{
    selPoint_ = -1;
    const int32_t hit = curve_.findPoint(boxRound(x), boxRound(y));
    if (hit >= 0) {
        selPoint_ = hit;
    } else if (const int32_t same = curve_.pointWithX(x); same >= 0) {
        selPoint_ = same;
        setCursor(Qt::SizeAllCursor);
    } else {
        const int32_t k = curve_.addPoint(x, y);
        if (k >= 0) {
            updateCurve();
            setCursor(Qt::SizeAllCursor);
            selPoint_ = k;
        }
    }
    dragging_ = true;
}

void CurveEditor::moveTo(float x, float y)
{
    if (dragging_ && selPoint_ >= 1)
        curve_.movePoint(selPoint_, x, y);
    updateCurve();
    if (!dragging_) {
        if (curve_.findPoint(boxRound(x), boxRound(y)) >= 0)
            setCursor(Qt::SizeAllCursor);
        else
            setCursor(Qt::ArrowCursor);
    }
}

void CurveEditor::release()
{
    dragging_ = false;
    setCursor(Qt::ArrowCursor);
}

void CurveEditor::updateCurve()
{
    ++updates_;
    // 1. Clear the box; its border around the inside.
    cls();
    QImage& image = imageForWriting();
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
        for (int i = 1; i <= curve_.nPoints; ++i) {
            p.setBrush(i == selPoint_ ? QBrush(Qt::red) : QBrush(Qt::NoBrush));
            p.drawEllipse(QPointF(curve_.ptX[i], curve_.ptY[i]), 10.0, 10.0);
        }
        p.setBrush(Qt::NoBrush);
        // 4.-7. The table.
        curve_.rebuildTable();
        // 8. Curve.
        pen.setColor(Qt::black);
        p.setPen(pen);
        for (int x = 0; x <= 255; ++x)
            p.drawLine(QLineF(x, curve_.curveY(x), x - 1, curve_.curveY(x - 1)));
    }
    // 9. Show it.
    refresh();
    // 10. Apply.
    emit curveChanged();
}

}  // namespace mosaic
