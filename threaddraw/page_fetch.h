// GetPage: a GET of a complete address that waits for the answer while window
// events run. A refused, broken or silent request ends as a failed fetch.
#pragma once

#include <QString>
#include <functional>

namespace threaddraw {

struct Page {
    QString text;
    bool failed = false;
};

// stop, when given, is asked between polls; true abandons the wait (the fetch
// then counts as failed), so a closed window does not keep waiting.
Page GetPage(const QString& url, int timeoutMs, const std::function<bool()>& stop = {});

}  // namespace threaddraw
