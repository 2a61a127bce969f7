// Conversion of the saved competitor page into competitor list entries:
// plain text in, entries out.
#pragma once

#include "compdraw/list_entry.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace compdraw {

// Text of the saved page's bytes. A UTF-8 or UTF-16 byte-order mark decides
// first, then the charset the page declares in a <meta> tag (a UTF-8
// declaration only for bytes that are UTF-8), then the code page, GBK,
// unless the bytes are valid UTF-8 and read clearly better so: the GBK
// reading breaks where the UTF-8 one holds common ideographs, or the UTF-8
// reading holds more common ideographs than the GBK one. GBK names are at
// times valid UTF-8 (濮鸿静 reads "姺農"), but then rarely common characters.
QString decodePage(const QByteArray& bytes);

// The page's lines are joined without separator, the closing tags "</td>",
// "</a>" and "</span>" removed, and every piece after a "<tr class" read as
// one competitor row: cell 2 the name, cell 3 the gender, and for rows
// linking the WCA site the 10-character ID behind "php?i=" (empty when the
// cell is too short). Rows with fewer than four cells are skipped.
QList<ListEntry> convertPage(const QStringList& lines);

}  // namespace compdraw
