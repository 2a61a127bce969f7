#include "platform/message_box.h"

#include <QMessageBox>

namespace platform {

namespace {
MessageHook& hook()
{
    static MessageHook h;
    return h;
}
}  // namespace

void msgBox(QWidget* parent, const QString& text, const QString& title)
{
    if (hook()) {
        hook()(text, title);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageHook setMessageHook(MessageHook h)
{
    MessageHook old = std::move(hook());
    hook() = std::move(h);
    return old;
}

}  // namespace platform
