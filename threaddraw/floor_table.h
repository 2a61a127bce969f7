// The floor table: every reply floor read from a thread, in reading order.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace threaddraw {

struct Cuber {
    QString id;     // author ID; empty marks an empty slot
    QString text;   // floor text, line breaks as CR LF
    QString floor;  // floor number as the page shows it
};

// 10000 slots filled front to back without gaps; the first slot with an empty
// id ends every scan.
class FloorTable {
public:
    static constexpr int kSlots = 10000;

    FloorTable();

    // Sets every field of every slot to the empty text.
    void clear();
    // Stores into the first slot whose id is empty; a full table drops it.
    void addCuber(const QString& id, const QString& floor, const QString& text);
    // Number of filled slots (up to the first empty one).
    int filledCount() const;
    const Cuber& slot(int index) const { return slots_[size_t(index)]; }

    // "floor|id" for every filled slot, in table order.
    QStringList sxListItems() const;
    // How many filled slots have this id, exactly.
    int32_t findCF(const QString& idd) const;
    // The duplicate-reply report: the 37-hyphen line, then one line per
    // author with more than one floor, in the order of first floors.
    QStringList cfList() const;
    // First slot of all 10000 whose id equals name, or -1.
    int16_t getIndexByName(const QString& name) const;

private:
    std::vector<Cuber> slots_;
};

}  // namespace threaddraw
