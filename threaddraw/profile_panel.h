// The profile panel: avatar, profile text and the forum columns, in a
// region of fixed place that scrolls when what it holds is taller.
#pragma once

#include "platform/controls.h"

#include <QScrollArea>

namespace threaddraw {

class ProfilePanel : public QScrollArea {
    Q_OBJECT
public:
    explicit ProfilePanel(QWidget* parent);

    // Once the panel has its place: the content takes the panel's height and
    // its width less the room of a vertical scroll bar.
    void fitContentWidth();

    // The widget that holds the panel's controls, as wide as the region
    // beside a vertical scroll bar; it grows to the lowest of its controls.
    QWidget* content() const { return widget(); }
    // The top of the region on its window, in twips.
    int topTwips() const { return y() * platform::kTwipsPerPixel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitContent();
};

}  // namespace threaddraw
