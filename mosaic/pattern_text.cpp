#include "mosaic/pattern_text.h"

#include "platform/time_text.h"

namespace mosaic {

std::optional<FaceSymbols> faceSymbols(const QString& text)
{
    if (text.size() < 6)
        return std::nullopt;
    const QString wide = platform::toFullWidth(text.left(6));
    FaceSymbols symbols;
    for (int i = 0; i < 6; ++i)
        symbols[size_t(i)] = wide.at(i);
    return symbols;
}

QString patternLine(const std::vector<int16_t>& faces, const FaceSymbols& symbols, bool cubeSep, int16_t cubeOrder)
{
    QString line;
    line.reserve(int(faces.size()) * 2);
    for (size_t col = 0; col < faces.size(); ++col) {
        line += symbols[size_t(faces[col])];
        if (cubeSep && endsCube(int32_t(col), cubeOrder))
            line += QLatin1Char(' ');
    }
    return line;
}

}  // namespace mosaic
