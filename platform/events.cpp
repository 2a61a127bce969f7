#include "platform/events.h"

#include <QCoreApplication>

namespace platform {

void doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace platform
