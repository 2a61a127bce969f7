// GetPage: a GET of a complete address that waits for the answer while window
// events run. A refused, broken, timed-out, oversized or stopped request ends
// as a failed fetch; an answer with an error status is a page like any other.
#pragma once

#include "platform/http_request.h"

#include <QString>

namespace threaddraw {

struct Page {
    QString text;
    bool failed = false;
    QString error;  // why the fetch failed: refused, timed out, no such host ...
};

Page GetPage(const QString& url, const platform::RequestRule& rule);

}  // namespace threaddraw
