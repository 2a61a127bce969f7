#include "threaddraw/profile_panel.h"

#include "platform/controls.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace threaddraw {

ProfilePanel::ProfilePanel(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* holder = new QWidget;
    holder->installEventFilter(this);
    setWidget(holder);
}

void ProfilePanel::fitContentWidth()
{
    // Room for the scroll bar is kept whether it shows or not, so the
    // controls never change width and no text wraps anew.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    widget()->resize(width() - bar, height());
}

bool ProfilePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget()) {
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
    } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show ||
               event->type() == QEvent::Hide) {
        fitContent();
    }
    return QScrollArea::eventFilter(watched, event);
}

void ProfilePanel::fitContent()
{
    QWidget* holder = widget();
    int bottom = 0;
    for (const QObject* child : holder->children())
        if (const auto* w = qobject_cast<const QWidget*>(child); w && !w->isHidden())
            bottom = std::max(bottom, w->geometry().bottom() + 1);
    holder->resize(holder->width(), bottom);
}

}  // namespace threaddraw
