// One click of the prize draw over the floor table: a number of the range,
// drawn again while it lands on a floor of an excluded author, without the
// chance of looping for ever.
#pragma once

#include "threaddraw/floor_table.h"

#include <QSet>
#include <QString>
#include <functional>

namespace threaddraw {

// The exclusion test of author IDs over fixedIds followed by ids, set up
// once for many IDs: an ID is excluded when "|" + ID + "|" occurs there.
class Exclusions {
public:
    Exclusions(const QString& fixedIds, const QString& ids);
    bool contains(const QString& id) const;

private:
    QString all_;
    QSet<QString> between_;  // every text between two neighbouring "|"
};

struct DrawResult {
    enum class Kind { Winner, NotFound, NothingToDraw };
    Kind kind = Kind::NothingToDraw;
    double n = 0;   // the number drawn (Winner, NotFound)
    int slot = -1;  // the winner's slot in the table
};

// Draws n = drawNumber(lo, hi, rnd()) until the first slot with floor text n
// has an author who is not excluded (a winner) or no slot has it (not
// found). When every number the generator can give lands on such an
// excluded floor, nothing is drawn. The generator's numbers are k / 2^24
// for k below 2^24, each as likely; every number of the range comes with
// the chance the redrawing would give it, however many are excluded.
DrawResult drawFloor(const FloorTable& table, double lo, double hi, const Exclusions& excluded,
                     const std::function<float()>& rnd);

}  // namespace threaddraw
