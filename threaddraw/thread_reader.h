// The thread reader: walks a thread's mobile pages by their next-page links
// and cuts every floor into author, floor number and text.
#pragma once

#include "threaddraw/floor_table.h"
#include "threaddraw/page_fetch.h"

#include <QList>
#include <QString>
#include <functional>

namespace threaddraw {

struct Floor {
    QString id;
    QString floor;
    QString text;
};

// Page count of a first page: "1" without a next-page link, else the cut
// between "</a><br/>第1/" and "页".
QString pageCountOf(const QString& page);
// "&#160;" to a blank, "<br/>" to CR LF.
QString normalizePage(const QString& page);
// The floors of a normalized page. threadNumber is asked afresh for every
// floor: the author marker is "@" + thread number + "\">".
QList<Floor> floorsOf(const QString& page, const std::function<QString()>& threadNumber);
// Address of the next page: the base address followed by the link's address
// behind "http://", with "&amp;" turned into "&".
QString nextPageAddress(const QString& page, const QString& mobileBase);
// True when the text is a thread number we may put into an address.
bool isThreadNumber(const QString& text);

struct ReaderHooks {
    std::function<QString()> threadNumber;        // the thread box now, trimmed
    std::function<void(const QString&)> status;   // one status message
    std::function<Page(const QString&)> fetch;    // one page
};

struct ReadResult {
    bool complete = false;  // false: the read stopped short of the last page
    QString lastFloor;      // floor number of the last floor cut
};

// Reads from the first page (mobileBase + "p/" + thread number) until a page
// lacks "accesskey" or "下一页" or the page count is reached, storing every
// floor into table. A failed fetch, a page count that is no number and a
// page counter past 32767 end the read as incomplete; floors read so far stay.
// A failed fetch first shows "！读取第N页失败：" and the reason as a status.
// A thread number that is not all digits ends the read before the first fetch,
// as a failed fetch does.
ReadResult readThread(FloorTable& table, const QString& mobileBase, const ReaderHooks& hooks);

}  // namespace threaddraw
