// The exclusion list and the duplicate-reply report give what the plain
// rules give (rescan the text once per link tag; search a text of every ID
// seen), which are written out here as the reference, on many small inputs.
#include "threaddraw/draw.h"
#include "threaddraw/floor_table.h"
#include "threaddraw/markers.h"

#include "platform/testing/test_helpers.h"

#include <gtest/gtest.h>
#include <random>

using threaddraw::FloorTable;

namespace {

QString plainExclusionCut(const QString& page)
{
    QString ids = threaddraw::GetByDiv(page, QStringLiteral("darvex容易"), QStringLiteral("darvex速度"));
    const QString open = QStringLiteral("<a href=");
    const QString close = QStringLiteral("'})\">");
    for (;;) {
        const QString x = threaddraw::GetByDiv(ids, open, close);
        if (x.isEmpty() || !ids.contains(open + x + close))
            break;
        ids.remove(open + x + close);
    }
    ids.remove(QStringLiteral("</a>"));
    return ids;
}

QStringList plainReport(const FloorTable& t)
{
    QStringList lines{QString(37, '-')};
    QString seen = QStringLiteral("|");
    const int filled = t.filledCount();
    for (int i = 0; i < filled; ++i) {
        if (!seen.contains(QLatin1Char('|') + t.slot(i).id + QLatin1Char('|'))) {
            QString floors = t.slot(i).floor + QLatin1Char(' ');
            int n = 0;
            for (int j = 0; j < filled; ++j)
                if (j != i && t.slot(j).id == t.slot(i).id) {
                    floors += t.slot(j).floor + QLatin1Char(' ');
                    ++n;
                }
            if (n > 0)
                lines << QStringLiteral("[%1]").arg(n + 1) + t.slot(i).id + QStringLiteral(" →在") + floors +
                             QStringLiteral("重复回复");
        }
        seen += t.slot(i).id + QLatin1Char('|');
    }
    return lines;
}

}  // namespace

TEST(LargePages, ExclusionListAsThePlainRule)
{
    const QString a = QStringLiteral("<a href=go({u:'a'})\">"), b = QStringLiteral("<a href=go({u:'b'})\">");
    const QStringList pages = {
        QStringLiteral("x darvex容易|") + a + "amy</a>|" + b + "bob</a>|" + a + "amy</a>|darvex速度 y",
        // an empty address stops the removal, but the tags already gone go
        // also behind it
        QStringLiteral("darvex容易|") + a + "amy</a>|<a href='})\">e</a>|" + b + "bob</a>|" + a + "amy</a>|darvex速度",
        QStringLiteral("darvex容易|<a href=no close</a>|darvex速度"),
        QStringLiteral("darvex容易|plain|text'})\">|darvex速度"),
        QStringLiteral("darvex容易|<a hr") + a + "ef=go()'})\">joined</a>|darvex速度",
        QStringLiteral("no markers at all"),
        QString(),
    };
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        EXPECT_EQ(threaddraw::cutExclusionList(page), plainExclusionCut(page));
    }

    // Pages put together from the pieces of link lists, stray tag parts
    // included.
    const QStringList pieces = {"<a href=go({u:'a'})\">", "<a href=go({u:'b'})\">", "<a href=go({u:'c'})\">",
                                "<a href='})\">",         "'})\">",                 "<a hr",
                                "ef=x",                   "</a>",                   "|",
                                "amy",                    "魔方",                   "\r\n"};
    std::mt19937 rng(7);
    for (int round = 0; round < 20000; ++round) {
        QString page = QStringLiteral("darvex容易");
        const int n = int(rng() % 14);
        for (int i = 0; i < n; ++i)
            page += pieces[int(rng() % pieces.size())];
        page += QStringLiteral("darvex速度");
        ASSERT_EQ(threaddraw::cutExclusionList(page), plainExclusionCut(page)) << page.toStdString();
    }
}

TEST(LargePages, DuplicateReportAsThePlainRule)
{
    std::mt19937 rng(11);
    const QStringList authors = {"amy", "bob", "魔方小王", "cat_1", "Amy", "amy ", "a"};
    for (int round = 0; round < 300; ++round) {
        FloorTable t;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i)
            t.addCuber(authors[int(rng() % authors.size())], QString::number(i + 2), QString());
        ASSERT_EQ(t.cfList(), plainReport(t));
    }

    // An ID holding "|": the plain rule's text search took "a|b" as seen
    // after "a" and "b"; it is an author of its own.
    FloorTable t;
    for (const char* id : {"a", "b", "a|b", "a|b"})
        t.addCuber(id, QString::number(t.filledCount() + 1), QString());
    EXPECT_EQ(t.cfList(), (QStringList{QString(37, '-'), QStringLiteral("[2]a|b →在3 4 重复回复")}));
}
