#include "threaddraw/thread_reader.h"

#include "platform/numbers.h"
#include "threaddraw/markers.h"

#include <limits>

namespace threaddraw {

namespace {

const QString kNextPage = QStringLiteral("下一页");
const QString kAccessKey = QStringLiteral("accesskey");
const QString kFloorMarker = QStringLiteral("<div class=\"i\">");

// The page count as a whole number: the trimmed text must be a number, and
// it is rounded half to even into the 16-bit range.
bool pageCountNumber(const QString& count, int16_t* value)
{
    bool ok = false;
    const double d = count.trimmed().toDouble(&ok);
    if (!ok || !platform::fitsInt16(d))
        return false;
    *value = platform::toInt16(d);
    return true;
}

}  // namespace

QString pageCountOf(const QString& page)
{
    if (!page.contains(kNextPage))
        return QStringLiteral("1");
    return GetDiv(page, QStringLiteral("</a><br/>第1/"), QStringLiteral("页"));
}

QString normalizePage(const QString& page)
{
    QString text = page;
    text.replace(QStringLiteral("&#160;"), QStringLiteral(" "));
    text.replace(QStringLiteral("<br/>"), QStringLiteral("\r\n"));
    return text;
}

QList<Floor> floorsOf(const QString& page, const std::function<QString()>& threadNumber)
{
    QList<Floor> floors;
    const QStringList pieces = page.split(kFloorMarker);
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString& piece = pieces[i];
        Floor f;
        f.id = GetDiv(piece, QStringLiteral("@") + threadNumber() + QStringLiteral("\">"), QStringLiteral("</a>"));
        f.floor = GetDiv(piece, QString(), QStringLiteral("楼"));
        f.text = GetDiv(piece, QStringLiteral("楼. "), QStringLiteral("<table>"));
        floors << f;
    }
    return floors;
}

QString nextPageAddress(const QString& page, const QString& mobileBase)
{
    const QString link = GetDiv(page, kAccessKey, kNextPage);
    QString address = mobileBase + GetDiv(link, QStringLiteral("http://"), QStringLiteral("\">"));
    address.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return address;
}

bool isThreadNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

ReadResult readThread(FloorTable& table, const QString& mobileBase, const ReaderHooks& hooks)
{
    ReadResult result;
    int16_t counter = 1;
    QString count;
    QString address = mobileBase + QStringLiteral("p/") + hooks.threadNumber();
    hooks.status(QStringLiteral("获取帖子信息"));
    // A thread number with anything but digits never reaches an address: the
    // read ends as a failed fetch of the first page would.
    if (!isThreadNumber(hooks.threadNumber()))
        return result;
    for (;;) {
        const Page fetched = hooks.fetch(address);
        if (fetched.failed) {
            hooks.status(QStringLiteral("！读取第%1页失败：").arg(counter) + fetched.error);
            return result;
        }
        if (counter == 1)
            count = pageCountOf(fetched.text);
        const QString page = normalizePage(fetched.text);
        for (const Floor& f : floorsOf(page, hooks.threadNumber)) {
            table.addCuber(f.id, f.floor, f.text);
            result.lastFloor = f.floor;
        }
        int16_t pages = 0;
        if (!pageCountNumber(count, &pages))
            return result;
        if (!page.contains(kAccessKey) || !page.contains(kNextPage) || counter >= pages) {
            result.complete = !(platform::leadingNumber(count) > counter);
            return result;
        }
        if (counter == std::numeric_limits<int16_t>::max())
            return result;
        ++counter;
        hooks.status(QStringLiteral("读取第%1/%2页").arg(counter).arg(count));
        address = nextPageAddress(page, mobileBase);
    }
}

}  // namespace threaddraw
