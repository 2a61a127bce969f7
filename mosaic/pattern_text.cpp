#include "mosaic/pattern_text.h"

#include "platform/time_text.h"

namespace mosaic {

std::optional<FaceSymbols> faceSymbols(const QString& text)
{
    // Counted in characters: one beyond the basic plane is two UTF-16 units
    // and one symbol.
    FaceSymbols symbols;
    qsizetype at = 0;
    for (QString& symbol : symbols) {
        if (at >= text.size())
            return std::nullopt;
        const bool pair = text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        symbol = platform::toFullWidth(text.mid(at, units));
        at += units;
    }
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
