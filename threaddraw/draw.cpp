#include "threaddraw/draw.h"

#include "threaddraw/markers.h"

#include <cmath>

namespace threaddraw {

double drawNumber(double lo, double hi, float r)
{
    return std::floor(double(r) * (hi - lo + 1.0) + lo);
}

QString numberText(double n)
{
    if (!std::isfinite(n))
        return QString::number(n);
    return QString::number(n == 0 ? 0.0 : n, 'f', 0);  // no "-0"
}

bool isExcluded(const QString& id, const QString& fixedIds, const QString& ids)
{
    return (fixedIds + ids).contains(QLatin1Char('|') + id + QLatin1Char('|'));
}

QString winnerText(const QString& n, const QString& id, int32_t floors)
{
    const QString tail = floors == 1 ? QStringLiteral(" ") : QStringLiteral(" →重复回复%1次").arg(floors);
    return n + QStringLiteral("楼:@") + id + tail + QStringLiteral("\r\n");
}

QString cutExclusionList(const QString& page)
{
    QString ids = GetByDiv(page, QStringLiteral("darvex容易"), QStringLiteral("darvex速度"));
    const QString open = QStringLiteral("<a href=");
    const QString close = QStringLiteral("'})\">");
    for (;;) {
        const QString x = GetByDiv(ids, open, close);
        if (x.isEmpty())
            break;
        const QString tag = open + x + close;
        // A cut found while no such tag exists would repeat for ever.
        if (!ids.contains(tag))
            break;
        ids.remove(tag);
    }
    ids.remove(QStringLiteral("</a>"));
    return ids;
}

}  // namespace threaddraw
