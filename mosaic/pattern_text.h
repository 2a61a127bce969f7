// The pattern as text: one full-width face symbol per sampled cell, a space
// after every cube column and an empty line after every cube row when the
// cube separators are on.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace mosaic {

using FaceSymbols = std::array<QString, 6>;

// The symbols of the six faces: the first six characters (code points) of
// the text in full-width form; none when the text holds fewer than six.
std::optional<FaceSymbols> faceSymbols(const QString& text);

// Whether a cube ends at this column (or row) number. Only asked with the
// separators on, so an order of 0 never divides.
inline bool endsCube(int32_t index, int16_t cubeOrder)
{
    return cubeOrder > 0 && index % cubeOrder == cubeOrder - 1;
}

// The line of one sampled row.
QString patternLine(const std::vector<int16_t>& faces, const FaceSymbols& symbols, bool cubeSep, int16_t cubeOrder);

}  // namespace mosaic
