#include "threaddraw/lookups.h"

namespace threaddraw {

const QString kHiddenCode = QStringLiteral("kelu|7021|48396");

QString hiddenCaption(const QString& ids)
{
    QString caption = ids;
    caption.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
    return caption;
}

std::optional<QString> lookupLine(const FloorTable& table, const QString& query, bool byFloor)
{
    const int filled = table.filledCount();
    int match = -1;
    for (int i = 0; i < filled; ++i) {
        const Cuber& c = table.slot(i);
        if ((byFloor ? c.floor : c.id) == query) {
            match = i;
            break;
        }
    }
    if (match < 0)
        return std::nullopt;
    const QString author = table.slot(match).id;
    int16_t count = 0;
    QString floors = QStringLiteral(" ");
    for (int i = 0; i < filled; ++i) {
        if (table.slot(i).id == author) {
            ++count;
            floors += table.slot(i).floor + QLatin1Char(' ');
        }
    }
    if (count >= 2)
        return author + QStringLiteral(" →重复回复[%1]:").arg(count) + floors;
    return author + QStringLiteral(" →未重复回复");
}

}  // namespace threaddraw
