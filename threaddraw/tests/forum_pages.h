// Thread pages written for the tests, in the mobile page format the reader
// knows: floor marker, author link ending in "@<thread>\">", "楼. ", "<table>",
// the next-page link with "accesskey" and the page counter.
#pragma once

#include "threaddraw/form1.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace forum_pages {

struct TestFloor {
    QString floor;
    QString id;
    QString text;
};

// nextPath: the next page's path behind the base ("p/1?pn=2&amp;x=1"); empty
// for a last page. withAccessKey false drops "accesskey" from the link.
inline QByteArray threadPage(const QString& thread, const QList<TestFloor>& floors, int pages,
                             const QString& nextPath = {}, bool withAccessKey = true)
{
    QString html = QStringLiteral("<html><body><div class=\"bc\">title</div>");
    for (const TestFloor& f : floors) {
        html += QStringLiteral("<div class=\"i\">") + f.floor + QStringLiteral("楼. ") + f.text +
                QStringLiteral("<table><tr><td><a href=\"http://x/i?un=") + f.id + QStringLiteral("@") +
                thread + QStringLiteral("\">") + f.id + QStringLiteral("</a>&#160;3-1</td></tr></table></div>");
    }
    if (!nextPath.isEmpty()) {
        html += QStringLiteral("<div class=\"h\"><a ") + (withAccessKey ? QStringLiteral("accesskey") : QStringLiteral("key")) +
                QStringLiteral("=\"6\" href=\"http://") + nextPath + QStringLiteral("\">下一页</a><br/>第1/") +
                QString::number(pages) + QStringLiteral("页</div>");
    }
    html += QStringLiteral("</body></html>");
    return html.toUtf8();
}

// Floors numbered from..to, author "u<number>".
inline QList<TestFloor> numberedFloors(int from, int to)
{
    QList<TestFloor> floors;
    for (int i = from; i <= to; ++i)
        floors << TestFloor{QString::number(i), QStringLiteral("u%1").arg(i), QStringLiteral("text %1").arg(i)};
    return floors;
}

// Settings that point every address at a loopback server.
inline threaddraw::Settings loopbackSettings(const QString& base, int timeoutMs = 2000)
{
    threaddraw::Settings s;
    s.mobileBase = base + QStringLiteral("/");
    s.thread = QStringLiteral("123");
    s.timeoutMs = timeoutMs;
    return s;
}

// Status lines without their leading time.
inline QStringList messages(const threaddraw::Form1& form)
{
    QStringList out;
    for (int i = 0; i < form.List1->listCount(); ++i) {
        const QString line = form.List1->list(i);
        out << (line.size() > 9 && line[2] == QLatin1Char(':') ? line.mid(9) : line);
    }
    return out;
}

}  // namespace forum_pages
