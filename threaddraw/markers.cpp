#include "threaddraw/markers.h"

namespace threaddraw {

QString GetDiv(const QString& code, const QString& divBegin, const QString& divEnd)
{
    if (code.isEmpty() || divEnd.isEmpty())
        return {};
    // Positions count from 1, as the page formats were written for; an absent
    // begin marker leaves p at 0, so the cut starts at its length.
    const qsizetype found = divBegin.isEmpty() ? 0 : code.indexOf(divBegin);
    const qsizetype p = found < 0 ? 0 : found + 1;
    const qsizetype s = p + divBegin.size();
    if (s < 1 || s - 1 > code.size())
        return {};
    const qsizetype e = code.indexOf(divEnd, s - 1);
    if (e < 0)
        return {};
    return code.mid(s - 1, e - (s - 1));
}

QString GetByDiv(const QString& code, const QString& divBegin, const QString& divEnd)
{
    return GetDiv(code, divBegin, divEnd);
}

}  // namespace threaddraw
