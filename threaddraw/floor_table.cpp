#include "threaddraw/floor_table.h"

#include <QHash>
#include <QList>

namespace threaddraw {

FloorTable::FloorTable() : slots_(kSlots) {}

void FloorTable::clear()
{
    for (Cuber& c : slots_)
        c = Cuber();
}

void FloorTable::addCuber(const QString& id, const QString& floor, const QString& text)
{
    for (Cuber& c : slots_) {
        if (c.id.isEmpty()) {
            c.id = id;
            c.floor = floor;
            c.text = text;
            return;
        }
    }
}

int FloorTable::filledCount() const
{
    int n = 0;
    while (n < kSlots && !slots_[size_t(n)].id.isEmpty())
        ++n;
    return n;
}

QStringList FloorTable::sxListItems() const
{
    QStringList items;
    const int n = filledCount();
    for (int i = 0; i < n; ++i)
        items << slots_[size_t(i)].floor + QLatin1Char('|') + slots_[size_t(i)].id;
    return items;
}

int32_t FloorTable::findCF(const QString& idd) const
{
    int32_t count = 0;
    const int n = filledCount();
    for (int i = 0; i < n; ++i)
        if (slots_[size_t(i)].id == idd)
            ++count;
    return count;
}

QStringList FloorTable::cfList() const
{
    QStringList lines;
    lines << QString(37, QLatin1Char('-'));
    // Every author's slots in table order; an author is reported at its
    // first floor, with all its floors.
    const int filled = filledCount();
    QHash<QString, QList<int>> slotsOf;
    for (int i = 0; i < filled; ++i)
        slotsOf[slots_[size_t(i)].id].append(i);
    for (int i = 0; i < filled; ++i) {
        const Cuber& c = slots_[size_t(i)];
        const QList<int>& own = slotsOf[c.id];
        if (own.first() != i || own.size() < 2)
            continue;
        QString floors;
        for (const int j : own)
            floors += slots_[size_t(j)].floor + QLatin1Char(' ');
        lines << QStringLiteral("[%1]").arg(own.size()) + c.id + QStringLiteral(" →在") + floors +
                     QStringLiteral("重复回复");
    }
    return lines;
}

int16_t FloorTable::getIndexByName(const QString& name) const
{
    for (int i = 0; i < kSlots; ++i)
        if (slots_[size_t(i)].id == name)
            return int16_t(i);
    return -1;
}

}  // namespace threaddraw
