#include "mosaic/estimates.h"

#include "platform/numbers.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
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
    if (!(height > 0) || !(width >= 0))
        return std::nullopt;
    const QString title = QString::fromUtf8("估算大小") + kNewLine;
    const float ratio = width / height;
    if (double(height) * width <= funds)
        return title + plainDecimal(width) + QStringLiteral("*") + plainDecimal(height);
    for (float k = float(std::floor(platform::roundHalfEven(height) / 3)); k >= 0; k -= 1) {
        const double v = platform::roundHalfEven(double(k) * k * ratio);
        if (v <= funds)
            return title + plainDecimal(platform::roundHalfEven(double(k) * ratio * 3)) + QStringLiteral("*")
                   + plainDecimal(platform::roundHalfEven(double(k) * 3));
    }
    return std::nullopt;
}

}  // namespace mosaic
