// The cost estimate of a pattern and the size estimate for a sum of money,
// as plain functions from the box texts to the label captions.
#pragma once

#include <QString>
#include <optional>

namespace mosaic {

// True when the leading number of a text lies beyond the double range (the
// leading-number rule would read it as 0).
bool leadingNumberTooLarge(const QString& text);

// Cut to whole hundredths: floor(value * 100) / 100, left to right.
struct CostEstimate {
    double lo;
    double hi;
};
CostEstimate costEstimate(double width, double height);

// Plain decimal text of a double, no exponent, no trailing zeros, in the
// shortest form that reads back as the same double (20, 20.55, 1012.68).
QString plainDecimal(double value);

// Caption of the cost label for the width and height texts (leading numbers;
// no number counts as 0). Nothing when a number lies beyond the double range.
std::optional<QString> costCaption(const QString& widthText, const QString& heightText);

// Numeric test of the funds text: blanks, an optional sign, digits with at
// most one decimal point, an optional exponent, blanks.
bool isNumericText(const QString& text);

// Caption of the size label for the funds text and the picture's size in
// pixels; nothing when the label keeps its caption (no number, funds beyond
// the 32-bit range, a picture of height 0, no size affordable).
std::optional<QString> sizeCaption(const QString& fundsText, float width, float height);

}  // namespace mosaic
