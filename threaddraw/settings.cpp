#include "threaddraw/settings.h"

#include "build_settings.h"

namespace threaddraw {

Settings buildSettings()
{
    Settings s;
    s.mobileBase = QStringLiteral(SUITE_FORUM_MOBILE_BASE);
    s.thread = QStringLiteral(SUITE_FORUM_THREAD);
    return s;
}

}  // namespace threaddraw
