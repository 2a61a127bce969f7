#include "threaddraw/settings.h"

#include "build_settings.h"

namespace threaddraw {

Settings buildSettings()
{
    Settings s;
    s.mobileBase = QStringLiteral(SUITE_FORUM_MOBILE_BASE);
    s.thread = QStringLiteral(SUITE_FORUM_THREAD);
    s.fixedIds = QStringLiteral(SUITE_FIXED_IDS);
    s.exclusionAddress = QStringLiteral("http://" SUITE_FORUM_DESKTOP_HOST "/p/" SUITE_EXCLUSION_THREAD);
    s.webBase = QStringLiteral("http://" SUITE_FORUM_WEB_HOST);
    s.profileBase = QStringLiteral("http://" SUITE_PROFILE_HOST);
    return s;
}

}  // namespace threaddraw
