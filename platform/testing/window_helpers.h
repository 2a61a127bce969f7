// Helpers of the window tests: message boxes recorded, files dropped.
#pragma once

#include "platform/testing/test_helpers.h"

#include <QList>
#include <QStringList>

class QUrl;
class QWidget;

namespace testing_support {

// Records message boxes instead of showing them, for the life of the object.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QStringList texts;
    QStringList titles;
};

// Drags and drops the given addresses onto a widget that accepts drops
// (a drag enter, then the drop, as a user's drop arrives).
void dropUrls(QWidget* target, const QList<QUrl>& urls);

}  // namespace testing_support
