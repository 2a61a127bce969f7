// Number rules shared by every program: reading the leading number of a text,
// rounding halves to even, and signed 16/32-bit conversion that reports overflow.
#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace platform {

// Thrown when a value does not fit the signed integer it is stored into.
class OverflowError : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// The number at the start of a text: leading blanks skipped, an optional sign,
// digits with an optional decimal part and exponent. No number gives 0.
double leadingNumber(const QString& text);

// The same, but a number too large for a double gives an infinity of its sign.
double leadingNumberUnbounded(const QString& text);

// Nearest whole number, halves to the even neighbour (0.5 -> 0, 2.5 -> 2).
double roundHalfEven(double value);

// Rounds half to even and stores into a signed integer; throws OverflowError
// when the result (or a NaN) does not fit.
int16_t toInt16(double value);
int32_t toInt32(double value);

// True when a rounded value fits the signed 16-bit range.
bool fitsInt16(double value);

// Number of processors the system reports (at least 1).
int processorCount();

}  // namespace platform
