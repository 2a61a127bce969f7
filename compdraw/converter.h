// Conversion of the saved competitor page into competitor list entries:
// plain text in, entries out.
#pragma once

#include "compdraw/list_entry.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace compdraw {

// Text of the saved page's bytes: UTF-8 when they start with its byte-order
// mark, or when they are valid UTF-8 throughout and hold at least one CJK
// ideograph (a character of three UTF-8 bytes; the GBK bytes of Chinese
// names are at times valid UTF-8, but then only of two-byte characters);
// UTF-16 when they start with its byte-order mark; GBK otherwise.
QString decodePage(const QByteArray& bytes);

// The page's lines are joined without separator, the closing tags "</td>",
// "</a>" and "</span>" removed, and every piece after a "<tr class" read as
// one competitor row: cell 2 the name, cell 3 the gender, and for rows
// linking the WCA site the 10-character ID behind "php?i=" (empty when the
// cell is too short). Rows with fewer than four cells are skipped.
QList<ListEntry> convertPage(const QStringList& lines);

}  // namespace compdraw
