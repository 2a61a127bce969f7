#include "compdraw/converter.h"

namespace compdraw {

namespace {

// The WCA site's domain name without its top-level part.
const QString kWcaDomain = QStringLiteral("worldcubeassociation");

}  // namespace

QList<ListEntry> convertPage(const QStringList& lines)
{
    QString pageText = lines.join(QString());
    pageText.remove(QStringLiteral("</td>"));
    pageText.remove(QStringLiteral("</a>"));
    pageText.remove(QStringLiteral("</span>"));

    QList<ListEntry> entries;
    const QStringList rows = pageText.split(QStringLiteral("<tr class"));
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QString& row = rows[i];
        const QStringList cells = row.split(QStringLiteral("<td>"));
        if (cells.size() < 4)
            continue;
        const QString& nameCell = cells[2];
        ListEntry entry;
        entry.name = nameCell;
        if (row.contains(QStringLiteral("world"))) {
            const qsizetype gt = nameCell.indexOf(u'>');
            if (gt >= 0)
                entry.name = nameCell.mid(gt + 1);
        }
        entry.male = cells[3].contains(QStringLiteral("男"));
        if (row.contains(kWcaDomain)) {
            // The 10 characters right behind "php?i=", or from the 6th
            // character when the cell holds no such marker.
            const qsizetype at = nameCell.indexOf(QStringLiteral("php?i="));
            entry.wcaId = nameCell.mid(at >= 0 ? at + 6 : 5, 10);
        }
        entries << entry;
    }
    return entries;
}

}  // namespace compdraw
