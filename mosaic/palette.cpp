#include "mosaic/palette.h"

#include "platform/numbers.h"

#include <cmath>
#include <stdexcept>

namespace mosaic {

const std::array<PaletteEntry, 17>& paletteEntries()
{
    static const std::array<PaletteEntry, 17> entries{{
        {0, "红", "199027039"},   {1, "亮橙红", "238044162"}, {2, "亮红", "236026037"},
        {10, "绿", "000165000"},  {11, "浅绿", "029200054"},  {12, "亮绿", "058253002"},
        {20, "蓝", "000000255"},  {21, "交通蓝", "035001174"}, {22, "亮蓝", "066113249"},
        {30, "白", "255255255"},  {31, "灰", "111111111"},    {32, "黑", "000000000"},
        {40, "橙", "255128000"},  {41, "粉橙", "244117072"},  {42, "亮橙", "252138051"},
        {50, "黄", "222222000"},  {51, "亮黄", "230254012"},
    }};
    return entries;
}

QStringList faceShadeNames(int face)
{
    QStringList names;
    for (const PaletteEntry& e : paletteEntries())
        if (e.slot / 10 == face)
            names << QString::fromUtf8(e.name);
    return names;
}

QStringList allShadeNames()
{
    QStringList names;
    for (int face : {kWhite, kYellow, kGreen, kRed, kOrange, kBlue})
        names << faceShadeNames(face);
    return names;
}

int slotOfName(const QString& name)
{
    for (const PaletteEntry& e : paletteEntries())
        if (name == QString::fromUtf8(e.name))
            return e.slot;
    return -1;
}

void Palette::storeTexts()
{
    for (const PaletteEntry& e : paletteEntries())
        colorStr[e.slot] = QString::fromLatin1(e.text);
}

void Palette::computeValues()
{
    for (int k = 0; k < kPaletteSlots; ++k)
        if (!colorStr[k].isEmpty())
            colorVal[k] = STR_to_RGB(colorStr[k]);
}

ColorValue STR_to_RGB(const QString& text)
{
    bool okR = false, okG = false, okB = false;
    const int r = text.left(3).toInt(&okR);
    const int g = text.mid(3, 3).toInt(&okG);
    const int b = text.right(3).toInt(&okB);
    if (!okR || !okG || !okB)
        throw std::invalid_argument("not a palette text");
    return platform::toInt32(double(r) + double(g) * 256.0 + double(b) * 65536.0);
}

int16_t GetR(ColorValue c) { return int16_t(c % 256); }
int16_t GetG(ColorValue c) { return int16_t((c % 65536) / 256); }
int16_t GetB(ColorValue c) { return int16_t(c / 65536); }

RGBTriple colorToRGB(ColorValue c)
{
    if (c < 0)
        throw std::domain_error("negative colour value");
    return {uint8_t(c % 256), uint8_t((c / 256) % 256), uint8_t((c / 65536) % 256)};
}

int32_t rgbDistance(RGBTriple a, RGBTriple b)
{
    const double dr = double(a.R) - b.R, dg = double(a.G) - b.G, db = double(a.B) - b.B;
    return int32_t(platform::roundHalfEven(std::sqrt(dr * dr + dg * dg + db * db)));
}

int32_t colorDistance(ColorValue c1, ColorValue c2)
{
    return rgbDistance(colorToRGB(c1), colorToRGB(c2));
}

bool colorNear(ColorValue c1, ColorValue c2, int32_t tolerance)
{
    return colorDistance(c1, c2) <= tolerance;
}

int16_t faceOf(ColorValue c, const std::array<double, kFaces>& targets, const std::array<ColorValue, 7>& faceColor)
{
    double best = 65535;
    int16_t chosen = 0;
    for (int16_t i = 0; i < kFaces; ++i) {
        const double d = colorDistance(c, faceColor[i]);
        const double score = platform::roundHalfEven(std::fabs(d - targets[i]));
        if (score < best) {
            best = score;
            chosen = i;
        }
    }
    return chosen;
}

int32_t BIN_to_DEC(const QString& hex)
{
    double sum = 0;
    const int n = hex.size();
    for (int i = 0; i < n; ++i) {
        const QChar ch = hex[i];
        int digit;
        if (ch >= u'0' && ch <= u'9')
            digit = ch.unicode() - u'0';
        else if (ch >= u'A' && ch <= u'F')
            digit = ch.unicode() - u'A' + 10;
        else
            throw std::invalid_argument("not a hexadecimal digit");
        sum = platform::toInt32(sum + digit * std::pow(16.0, n - 1 - i));
    }
    return int32_t(sum);
}

}  // namespace mosaic
