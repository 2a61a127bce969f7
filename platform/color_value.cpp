#include "platform/color_value.h"

#include <QWidget>

namespace platform {

void setBackColor(QWidget* widget, int32_t color)
{
    QPalette pal = widget->palette();
    const QColor c = toQColor(color);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Button, c);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget* widget, int32_t color)
{
    QPalette pal = widget->palette();
    const QColor c = toQColor(color);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
    widget->setPalette(pal);
}

}  // namespace platform
