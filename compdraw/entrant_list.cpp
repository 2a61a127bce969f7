#include "compdraw/entrant_list.h"

#include "platform/numbers.h"

namespace compdraw {

namespace {

QString charAt(const QList<uint>& codes, int i)
{
    const char32_t c = char32_t(codes[i]);
    return QString::fromUcs4(&c, 1);
}

}  // namespace

int charCount(const QString& text)
{
    return int(text.toUcs4().size());
}

std::array<QString, 3> reelCharsOf(const QString& name)
{
    const QList<uint> codes = name.toUcs4();
    std::array<QString, 3> chars;
    if (codes.isEmpty())
        return chars;
    const int n = int(codes.size());
    chars[0] = charAt(codes, 0);
    chars[2] = charAt(codes, n - 1);
    if (n > 2)
        chars[1] = charAt(codes, 1);
    return chars;
}

std::optional<QString> nameOfLine(const QString& line)
{
    QString text = line;
    text.remove(u' ');
    const qsizetype open = text.indexOf(u'(');
    if (open < 0)
        return text;
    const qsizetype close = text.indexOf(u')');
    if (close < open)
        return std::nullopt;
    return text.mid(open + 1, close - open - 1);
}

EntrantList readEntrants(const QStringList& lines)
{
    EntrantList list;
    for (const QString& line : lines) {
        const std::optional<QString> name = nameOfLine(line);
        if (!name)
            return list;
        if (charCount(*name) < 2)
            continue;
        if (list.nameList.size() == kMaxNames)
            return list;
        list.nameList << *name;
    }
    for (const QString& name : list.nameList) {
        const auto chars = reelCharsOf(name);
        for (int r = 0; r < 3; ++r)
            list.reelChars[r] << chars[r];
    }
    list.complete = true;
    return list;
}

int drawIndex(double u, int count)
{
    return int(platform::roundHalfEven(u * count));
}

QString reelCharAt(const EntrantList& list, int reel, int index)
{
    const QStringList& chars = list.reelChars[reel];
    return index >= 0 && index < chars.size() ? chars[index] : QString();
}

std::optional<QString> pickWinner(const QStringList& names, const QString& drawnList, const Uniform& uniform)
{
    bool anyEligible = false;
    for (const QString& n : names)
        anyEligible = anyEligible || charCount(n) >= 2;
    if (!anyEligible)
        return std::nullopt;
    const QString mark = QStringLiteral("\r\n");
    int tries = 0;
    for (;;) {
        if (tries < 1000)
            ++tries;
        const int index = drawIndex(uniform(), int(names.size()));
        const QString winner = index < names.size() ? names[index] : QString();
        if (tries < 1000 && drawnList.contains(mark + winner + mark))
            continue;
        if (charCount(winner) < 2)
            continue;
        return winner;
    }
}

}  // namespace compdraw
