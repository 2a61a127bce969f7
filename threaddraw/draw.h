// The prize draw's arithmetic and exclusion list.
#pragma once

#include <QString>
#include <cstdint>

namespace threaddraw {

// The largest whole number not above r * (hi - lo + 1) + lo, computed in
// double precision so that no range overflows.
double drawNumber(double lo, double hi, float r);
// The number as plain decimal digits, a minus sign only when negative.
QString numberText(double n);
// The winners line: n, "楼:@", the ID, then " " for a single floor or
// " →重复回复c次", then CR LF.
QString winnerText(const QString& n, const QString& id, int32_t floors);
// The extra exclusion list of the exclusion thread's page: the text between
// "darvex容易" and "darvex速度" with the links' tags removed.
QString cutExclusionList(const QString& page);

}  // namespace threaddraw
