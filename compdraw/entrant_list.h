// The draw's entrants: names read from the competitor list, the characters
// each reel shows for them, the index rule and the winner pick.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace compdraw {

constexpr int kMaxNames = 1000;

// A uniform random number in [0, 1).
using Uniform = std::function<double()>;

// Characters are counted as code points, so a character outside the basic
// plane is never cut in half.
int charCount(const QString& text);

// The three reel characters of a name: its first, its second (only when the
// name has more than 2 characters, else empty) and its last character.
std::array<QString, 3> reelCharsOf(const QString& name);

struct EntrantList {
    QStringList nameList;                  // at most kMaxNames names
    std::array<QStringList, 3> reelChars;  // per reel, one per name; empty when not prepared
    bool complete = false;                 // every line read; the reel characters are prepared
};

// The name a list line gives: spaces (U+0020 only) removed, then the text
// between the first "(" and the first ")" when the line holds a "(".
// Empty optional for a line whose ")" is missing or stands before its "(".
std::optional<QString> nameOfLine(const QString& line);

// Reads the lines in order. Lines giving fewer than 2 characters are skipped.
// A broken line or a name past the 1000th ends the reading there: the names
// before it stay and no reel characters are prepared.
EntrantList readEntrants(const QStringList& lines);

// Index rule: u * count rounded half to even, 0 to count; count is the empty
// slot after the last name.
int drawIndex(double u, int count);

// Reel character of reel r for an index; empty for the empty slot or when
// the characters were not prepared.
QString reelCharAt(const EntrantList& list, int reel, int index);

// Picks a winner: a name drawn again while it appears in drawnList (between
// CR LF marks) for up to 1000 tries, and always drawn again when shorter than
// 2 characters. No value when no name can win.
std::optional<QString> pickWinner(const QStringList& names, const QString& drawnList, const Uniform& uniform);

}  // namespace compdraw
