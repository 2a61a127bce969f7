// Message box with a title and an OK button only.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

void msgBox(QWidget* parent, const QString& text, const QString& title);

// Tests replace the modal box by a recorder; returns the previous hook.
using MessageHook = std::function<void(const QString& text, const QString& title)>;
MessageHook setMessageHook(MessageHook hook);

}  // namespace platform
