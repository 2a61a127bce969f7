#include "threaddraw/draw.h"

#include "threaddraw/markers.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringView>
#include <algorithm>
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

QString winnerText(const QString& n, const QString& id, int32_t floors)
{
    const QString tail = floors == 1 ? QStringLiteral(" ") : QStringLiteral(" →重复回复%1次").arg(floors);
    return n + QStringLiteral("楼:@") + id + tail + QStringLiteral("\r\n");
}

QString cutExclusionList(const QString& page)
{
    const QString cut = GetByDiv(page, QStringLiteral("darvex容易"), QStringLiteral("darvex速度"));
    const QString open = QStringLiteral("<a href=");
    const QString close = QStringLiteral("'})\">");

    // One pass from the front instead of one rescan per tag. The first link
    // tag left in the text is always the next to go, and a tag goes
    // everywhere at once: so a tag whose address went before is dropped where
    // it stands, and the first tag with a new address goes as it is reached.
    // A tag with an empty address ends the removal; behind it only tags
    // already gone go. out holds the text so far; after a removal its last
    // few characters are read again, as the join may form a new marker.
    QString out;
    out.reserve(cut.size());
    QString pending;  // read before cut[i]
    qsizetype i = 0;
    QList<qsizetype> opens;  // starts in out of the tags not yet closed, first one first
    QHash<QString, qsizetype> gone;  // address, order of going
    QSet<qsizetype> goneLengths;
    qsizetype longestGone = 0;
    bool stopped = false;

    const auto startsHere = [&](const QString& marker) {
        const qsizetype head = std::min(pending.size(), marker.size());
        return QStringView(pending).left(head) == QStringView(marker).left(head) &&
               QStringView(cut).mid(i).startsWith(QStringView(marker).mid(head));
    };
    const auto advance = [&](qsizetype n, bool keep) {
        const qsizetype head = std::min(pending.size(), n);
        if (keep) {
            out += QStringView(pending).left(head);
            out += QStringView(cut).mid(i, n - head);
        }
        pending.remove(0, head);
        i += n - head;
    };
    const auto removeFrom = [&](qsizetype start) {
        out.truncate(start);
        const qsizetype back = std::min<qsizetype>(open.size() - 1, out.size());
        pending.prepend(out.right(back));
        out.chop(back);
        while (!opens.isEmpty() && opens.last() >= out.size())
            opens.removeLast();
    };

    while (!pending.isEmpty() || i < cut.size()) {
        if (startsHere(open)) {
            opens.append(out.size());
            advance(open.size(), true);
            continue;
        }
        if (!opens.isEmpty() && startsHere(close)) {
            // The close ends every open tag. Of those already gone the one
            // that went first goes (it went before the others could form);
            // else the first one, when it is new.
            // Only tags no longer than the longest address gone can be gone,
            // and only those of a length gone: a page of nested openings
            // costs no more than a plain one.
            qsizetype level = -1;
            qsizetype wentAt = 0;
            for (qsizetype k = opens.size() - 1; k >= 0; --k) {
                const qsizetype length = out.size() - opens[k] - open.size();
                if (length > longestGone)
                    break;
                if (!goneLengths.contains(length))
                    continue;
                const auto g = gone.constFind(out.mid(opens[k] + open.size()));
                if (g != gone.constEnd() && (level < 0 || *g < wentAt)) {
                    level = k;
                    wentAt = *g;
                }
            }
            if (level < 0 && !stopped) {
                const QString x = out.mid(opens.first() + open.size());
                if (x.isEmpty()) {
                    stopped = true;
                } else {
                    gone.insert(x, gone.size());
                    goneLengths.insert(x.size());
                    longestGone = std::max(longestGone, x.size());
                    level = 0;
                }
            }
            if (level >= 0) {
                advance(close.size(), false);
                removeFrom(opens[level]);
            } else {
                opens.clear();
                advance(close.size(), true);
            }
            continue;
        }
        advance(1, true);
    }
    out.remove(QStringLiteral("</a>"));
    return out;
}

}  // namespace threaddraw
