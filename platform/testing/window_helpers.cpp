#include "platform/testing/window_helpers.h"

#include "platform/message_box.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace testing_support {

MessageRecorder::MessageRecorder()
{
    platform::setMessageHook([this](const QString& text, const QString& title) {
        texts << text;
        titles << title;
    });
}

MessageRecorder::~MessageRecorder()
{
    platform::setMessageHook({});
}

void dropUrls(QWidget* target, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(1, 1);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
}

}  // namespace testing_support
