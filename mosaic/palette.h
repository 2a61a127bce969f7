// The mosaic generator's colour vocabulary: the 17 named cube shades, colour
// values and their bytes, the colour distance, the tolerance test, and the
// rule that gives a sampled colour to one of the six cube faces.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace mosaic {

using ColorValue = int32_t;  // R + G*256 + B*65536; -1 is no colour

// Faces in their fixed order.
enum FaceIndex : int16_t { kRed = 0, kGreen, kBlue, kWhite, kOrange, kYellow };
constexpr int kFaces = 6;
constexpr int kPaletteSlots = 61;  // slot = face * 10 + shade

struct RGBTriple {
    uint8_t R, G, B;
};

struct PaletteEntry {
    int slot;
    const char* name;  // UTF-8
    const char* text;  // PaletteText RRRGGGBBB
};

// The 17 built-in shades in slot order.
const std::array<PaletteEntry, 17>& paletteEntries();

// Names of one face's shades, item index = shade number.
QStringList faceShadeNames(int face);

// All 17 names in the order of the replace-with and brush lists.
QStringList allShadeNames();

// Slot of a shade name, -1 when no shade has that name.
int slotOfName(const QString& name);

// Palette state of a running window.
struct Palette {
    std::array<QString, kPaletteSlots> colorStr;
    std::array<ColorValue, kPaletteSlots> colorVal{};
    std::array<QString, 7> faceStr;
    std::array<ColorValue, 7> faceColor{};

    void storeTexts();     // the 17 texts into colorStr
    void computeValues();  // colorVal from every non-empty colorStr
};

// Colour value of a PaletteText; throws std::invalid_argument for a text
// that is not three numbers.
ColorValue STR_to_RGB(const QString& text);

int16_t GetR(ColorValue c);
int16_t GetG(ColorValue c);
int16_t GetB(ColorValue c);

// Bytes of a colour; throws std::domain_error for a negative value.
RGBTriple colorToRGB(ColorValue c);
int32_t rgbDistance(RGBTriple a, RGBTriple b);
int32_t colorDistance(ColorValue c1, ColorValue c2);
bool colorNear(ColorValue c1, ColorValue c2, int32_t tolerance);

// The face whose distance to the colour is nearest to that face's target
// distance; a tie goes to the lower face.
int16_t faceOf(ColorValue c, const std::array<double, kFaces>& targets,
               const std::array<ColorValue, 7>& faceColor);

// Whole number of a text of hexadecimal digits (0-9, A-F); throws
// std::invalid_argument for another character, platform::OverflowError past
// the 32-bit range.
int32_t BIN_to_DEC(const QString& hex);

}  // namespace mosaic
