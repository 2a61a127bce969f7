// Hosts, thread numbers and IDs the window works with. main() builds them
// from the build settings; tests point them at a loopback server.
#pragma once

#include "platform/http_request.h"

#include <QString>

namespace threaddraw {

struct Settings {
    QString mobileBase;  // scheme, host of the mobile pages, closing "/"
    QString thread;      // default thread number
    int timeoutMs = platform::kDefaultHttpTimeoutMs;  // every request, send to last byte
    qint64 pageCap = platform::kPageBodyCap;          // a longer page is a failed fetch
    qint64 pictureCap = platform::kPictureBodyCap;    // a longer avatar is no picture
    QString fixedIds;          // built-in excluded IDs, "|a|b|c|d|"
    QString exclusionAddress;  // the thread holding the extra exclusion list
    QString webBase;           // scheme and web host: panel data and home pages
    QString profileBase;       // scheme and host of the profile pages
};

Settings buildSettings();

}  // namespace threaddraw
