#include "threaddraw/page_fetch.h"

namespace threaddraw {

Page GetPage(const QString& url, const platform::RequestRule& rule)
{
    const platform::Fetched fetched = platform::fetchUrl(url, rule);
    Page page;
    page.failed = fetched.failed;
    page.error = fetched.error;
    if (!page.failed)
        page.text = fetched.text();
    return page;
}

}  // namespace threaddraw
