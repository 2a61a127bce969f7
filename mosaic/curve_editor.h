// The tone-curve editor: a box that draws the curve's grid, its points and
// the curve itself, and lets the mouse add, grab and drag points. The curve
// maths is in mosaic/tone_curve.h; the window applies the curve to the
// picture when the editor reports a change.
#pragma once

#include "mosaic/tone_curve.h"
#include "platform/picture_box.h"

#include <QPointF>
#include <vector>

namespace mosaic {

class CurveEditor : public platform::PictureBox {
    Q_OBJECT
public:
    explicit CurveEditor(QWidget* parent = nullptr);

    // Start-up: the three diagonal points, nothing selected, the box drawn;
    // from then on the mouse edits the curve.
    void start();

    // Mouse handling in box units. A call that arrives while a curve event is
    // being handled (through the event pump of the window's picture write) is
    // queued and handled after it; queued moves collapse to the newest.
    void mouseDownAt(int button, int shift, float x, float y);
    void mouseMoveAt(int button, int shift, float x, float y);
    void mouseUpAt(int button, int shift, float x, float y);

    // Redraws the box from the curve, then reports the change.
    void updateCurve();

    const ToneCurve& curve() const { return curve_; }
    bool dragging() const { return dragging_; }
    // Slot of the point being dragged or last grabbed; -1 for none.
    int32_t selPoint() const { return selPoint_; }
    // How many curve updates have run.
    int updateCount() const { return updates_; }

    // Box units of a position in the box's pixels (inside from pixel 1, 99
    // pixels for 260 units).
    static QPointF curveUnitsOf(double px, double py);

signals:
    // The curve was redrawn: the picture is to follow it.
    void curveChanged();

private:
    enum class EventKind { Down, Move, Up, Update };
    struct Event {
        EventKind kind;
        int button;
        int shift;
        float x;
        float y;
    };
    void connectMouse();
    void run(const Event& event);
    void handle(const Event& event);
    void pressAt(float x, float y);
    void moveTo(float x, float y);
    void release();

    ToneCurve curve_;
    bool dragging_ = false;
    int32_t selPoint_ = -1;
    bool mouseConnected_ = false;
    bool busy_ = false;
    std::vector<Event> queue_;
    int updates_ = 0;
};

}  // namespace mosaic
