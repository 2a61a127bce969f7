// Floor and author lookups over the floor table, and the hidden mode.
#pragma once

#include "threaddraw/floor_table.h"

#include <QString>
#include <optional>

namespace threaddraw {

// The whole text of the lookup box that shows the extra exclusion list.
extern const QString kHiddenCode;

// The extra exclusion list one piece per line.
QString hiddenCaption(const QString& ids);

// The result line for a query: the first slot whose floor (byFloor) or id
// equals the query exactly; then its author's floor count and floors.
// Nothing when no stored slot matches.
std::optional<QString> lookupLine(const FloorTable& table, const QString& query, bool byFloor);

}  // namespace threaddraw
