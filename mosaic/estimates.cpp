#include "mosaic/estimates.h"

#include "platform/numbers.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace mosaic {

namespace {

const QString kNewLine = QStringLiteral("\r\n");

}  // namespace

bool leadingNumberTooLarge(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t\\r\\n]*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eEdD][+-]?[0-9]+)?)"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return false;
    QByteArray digits = m.captured(1).toLatin1();
    digits.replace('d', 'e').replace('D', 'e');
    return std::isinf(std::strtod(digits.constData(), nullptr));
}

CostEstimate costEstimate(double width, double height)
{
    const double p = width * height;
    return {std::floor((p * 0.55 / 9 + 20) * 100) / 100, std::floor((p * 0.95 / 9 + 20) * 100) / 100};
}

QString plainDecimal(double value)
{
    char buffer[400];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (r.ec != std::errc())
        return QString::number(value, 'g', 17);
    return QString::fromLatin1(buffer, int(r.ptr - buffer));
}

std::optional<QString> costCaption(const QString& widthText, const QString& heightText)
{
    if (leadingNumberTooLarge(widthText) || leadingNumberTooLarge(heightText))
        return std::nullopt;
    const CostEstimate e = costEstimate(platform::leadingNumber(widthText), platform::leadingNumber(heightText));
    if (!std::isfinite(e.lo) || !std::isfinite(e.hi))
        return std::nullopt;
    return QString::fromUtf8("造价") + kNewLine + QStringLiteral("CNY ") + plainDecimal(e.lo) + kNewLine
           + QStringLiteral("CNY ") + plainDecimal(e.hi);
}

bool isNumericText(const QString& text)
{
    static const QRegularExpression numeric(
        QStringLiteral("^[ \\t]*[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?[ \\t]*$"));
    return numeric.match(text).hasMatch();
}

std::optional<QString> sizeCaption(const QString& fundsText, float width, float height)
{
    if (!isNumericText(fundsText))
        return std::nullopt;
    int32_t funds = 0;
    try {
        funds = platform::toInt32(std::strtod(fundsText.trimmed().toLatin1().constData(), nullptr));
    } catch (const platform::OverflowError&) {
        return std::nullopt;
    }
    // Below 0 funds buy nothing: neither branch can qualify.
    if (!(height > 0) || !(width >= 0) || funds < 0)
        return std::nullopt;
    const QString title = QString::fromUtf8("估算大小") + kNewLine;
    const double ratio = double(width) / height;
    if (double(height) * width <= funds)
        return title + plainDecimal(width) + QStringLiteral("*") + plainDecimal(height);
    // k counts down in whole numbers: a single-precision counter above 2^24
    // no longer changes when 1 is taken off. k * k * ratio grows with k, so
    // the count may start at the first k whose value lies above the funds
    // (two above the square root, against rounding) without changing the result.
    auto value = [ratio](int64_t k) { return platform::roundHalfEven(double(k) * double(k) * ratio); };
    int64_t k = int64_t(std::floor(platform::roundHalfEven(height) / 3));
    if (ratio > 0) {
        const double above = std::ceil(std::sqrt((double(funds) + 1) / ratio)) + 2;
        if (above < double(k))
            k = int64_t(above);
    }
    for (; k >= 0; --k) {
        if (value(k) <= funds)
            return title + plainDecimal(platform::roundHalfEven(double(k) * ratio * 3)) + QStringLiteral("*")
                   + plainDecimal(platform::roundHalfEven(double(k) * 3));
    }
    return std::nullopt;
}

}  // namespace mosaic
