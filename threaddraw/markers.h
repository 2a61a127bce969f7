// The marker cut: the text between a begin marker and the next end marker.
// GetDiv and GetByDiv are one routine under two names.
#pragma once

#include <QString>

namespace threaddraw {

// The text of code that follows the first divBegin and ends before the next
// divEnd. An empty divBegin starts at the first character; an absent one
// starts at character length(divBegin) (counted from 1). An absent or empty
// divEnd, or an empty code, gives the empty text. Never fails.
QString GetDiv(const QString& code, const QString& divBegin, const QString& divEnd);
QString GetByDiv(const QString& code, const QString& divBegin, const QString& divEnd);

}  // namespace threaddraw
