// Conversion of the saved competitor page into competitor list entries:
// plain text in, entries out.
#pragma once

#include "compdraw/list_entry.h"

#include <QList>
#include <QStringList>

namespace compdraw {

// The page's lines are joined without separator, the closing tags "</td>",
// "</a>" and "</span>" removed, and every piece after a "<tr class" read as
// one competitor row: cell 2 the name, cell 3 the gender, and for rows
// linking the WCA site the 10-character ID behind "php?i=". Rows with fewer
// than four cells are skipped.
QList<ListEntry> convertPage(const QStringList& lines);

}  // namespace compdraw
