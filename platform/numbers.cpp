#include "platform/numbers.h"

#include <QThread>
#include <cmath>
#include <string>

namespace platform {

double leadingNumber(const QString& text)
{
    const double value = leadingNumberUnbounded(text);
    return std::isfinite(value) ? value : 0.0;
}

double leadingNumberUnbounded(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n'))
        ++i;
    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number += char(text[i++].unicode());
    bool digits = false;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        number += char(text[i++].unicode());
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        number += '.';
        ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            number += char(text[i++].unicode());
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    // An exponent counts only when digits follow it.
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        int j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        bool expDigits = false;
        while (j < n && text[j] >= u'0' && text[j] <= u'9') {
            exponent += char(text[j++].unicode());
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

bool fitsInt16(double value)
{
    const double r = roundHalfEven(value);
    return !std::isnan(r) && r >= -32768.0 && r <= 32767.0;
}

int16_t toInt16(double value)
{
    if (!fitsInt16(value))
        throw OverflowError("value does not fit a 16-bit integer");
    return static_cast<int16_t>(roundHalfEven(value));
}

int32_t toInt32(double value)
{
    const double r = roundHalfEven(value);
    if (std::isnan(r) || r < -2147483648.0 || r > 2147483647.0)
        throw OverflowError("value does not fit a 32-bit integer");
    return static_cast<int32_t>(r);
}

int processorCount()
{
    const int n = QThread::idealThreadCount();
    return n > 0 ? n : 1;
}

}  // namespace platform
