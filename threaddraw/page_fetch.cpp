#include "threaddraw/page_fetch.h"

#include "platform/http_request.h"

namespace threaddraw {

Page GetPage(const QString& url, int timeoutMs, const std::function<bool()>& stop)
{
    platform::HttpRequest request(timeoutMs);
    request.open(QStringLiteral("get"), url);
    request.send();
    request.waitUntilDone(stop);
    Page page;
    page.failed = request.failed();
    if (!page.failed)
        page.text = request.responseText();
    return page;
}

}  // namespace threaddraw
