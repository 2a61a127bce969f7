#include "platform/screen_color.h"

#include "platform/color_value.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

namespace platform {

namespace {
ScreenColorHook& hook()
{
    static ScreenColorHook h;
    return h;
}
}  // namespace

std::optional<int32_t> screenColorAt(const QPoint& globalPos)
{
    if (hook())
        return hook()(globalPos);
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        return std::nullopt;
    const QPoint local = globalPos - screen->geometry().topLeft();
    const QPixmap grab = screen->grabWindow(0, local.x(), local.y(), 1, 1);
    if (grab.isNull())
        return std::nullopt;
    const QImage pixel = grab.toImage();
    if (pixel.isNull() || pixel.width() < 1 || pixel.height() < 1)
        return std::nullopt;
    return fromQRgb(pixel.pixel(0, 0));
}

std::optional<int32_t> screenColorUnderCursor()
{
    return screenColorAt(QCursor::pos());
}

ScreenColorHook setScreenColorHook(ScreenColorHook h)
{
    ScreenColorHook old = std::move(hook());
    hook() = std::move(h);
    return old;
}

}  // namespace platform
