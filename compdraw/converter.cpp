#include "compdraw/converter.h"

#include "platform/charset_decode.h"
#include "platform/text_file.h"

#include <bitset>
#include <cstring>
#include <optional>

namespace compdraw {

namespace {

// The CJK unified ideographs, U+4E00 to U+9FFF.
constexpr char16_t kCjkFirst = 0x4E00;
constexpr char16_t kCjkLast = 0x9FFF;
using CjkSet = std::bitset<kCjkLast - kCjkFirst + 1>;

// The ideographs of a text that are double-byte characters of a code page
// whose lead bytes run from leadFirst to leadLast and whose trail bytes are
// the given ranges. Each character is decoded on a line of its own, so that
// one the converter cannot read leaves the others as they are.
void addCharacters(CjkSet& set, const char* charset, int leadFirst, int leadLast,
                   std::initializer_list<std::pair<int, int>> trails)
{
    QByteArray bytes;
    for (int lead = leadFirst; lead <= leadLast; ++lead)
        for (const auto& [first, last] : trails)
            for (int trail = first; trail <= last; ++trail)
                bytes += char(lead), bytes += char(trail), bytes += '\n';
    QString text;
    try {
        text = platform::decodeCharsetBytes(bytes, charset);
    } catch (const platform::TextFileError&) {
        return;  // no such converter: the set is smaller, never wrong
    }
    for (const QChar c : text)
        if (c.unicode() >= kCjkFirst && c.unicode() <= kCjkLast)
            set.set(c.unicode() - kCjkFirst);
}

// The common simplified ideographs: the first level of GB2312, 3,755
// characters chosen by frequency of use.
const CjkSet& commonSimplified()
{
    static const CjkSet set = [] {
        CjkSet s;
        addCharacters(s, "CP936", 0xB0, 0xD7, {{0xA1, 0xFE}});
        return s;
    }();
    return set;
}

// The same with the first level of Big5, the 5,401 common traditional
// characters.
const CjkSet& commonSimplifiedOrTraditional()
{
    static const CjkSet set = [] {
        CjkSet s = commonSimplified();
        addCharacters(s, "BIG5", 0xA4, 0xC6, {{0x40, 0x7E}, {0xA1, 0xFE}});
        return s;
    }();
    return set;
}

// CJK unified ideographs (with extension A) and compatibility ideographs.
bool isIdeograph(char16_t u)
{
    return (u >= 0x3400 && u <= 0x4DBF) || (u >= kCjkFirst && u <= kCjkLast) || (u >= 0xF900 && u <= 0xFAFF);
}

// Punctuation that Chinese text holds in either reading: general
// punctuation, CJK symbols and punctuation, full-width forms.
bool isPunctuation(char16_t u)
{
    return (u >= 0x2000 && u <= 0x206F) || (u >= 0x3000 && u <= 0x303F) || (u >= 0xFF00 && u <= 0xFFEF);
}

struct Reading {
    int ideographs = 0;  // CJK ideographs
    int replaced = 0;    // characters that could not be read (U+FFFD)
    int score = 0;       // common ideographs less every other character beyond ASCII and punctuation
};

Reading readingOf(const QString& text, const CjkSet& common)
{
    Reading r;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || isPunctuation(u))
            continue;
        if (isIdeograph(u))
            ++r.ideographs;
        if (u == 0xFFFD)
            ++r.replaced;
        r.score += u >= kCjkFirst && u <= kCjkLast && common.test(u - kCjkFirst) ? 1 : -1;
    }
    return r;
}

// The label of the first charset a <meta> tag declares that names an
// encoding: <meta charset="..."> or content="text/html; charset=...".
std::optional<platform::Charset> declaredCharset(const QByteArray& bytes)
{
    const QByteArray lower = bytes.toLower();
    for (qsizetype at = lower.indexOf("<meta"); at >= 0; at = lower.indexOf("<meta", at + 5)) {
        const qsizetype close = lower.indexOf('>', at);
        const QByteArray tag = lower.mid(at, close < 0 ? -1 : close - at);
        const qsizetype name = tag.indexOf("charset");
        if (name < 0)
            continue;
        qsizetype i = name + 7;
        const auto skip = [&](const char* chars) {
            while (i < tag.size() && std::strchr(chars, tag[i]) && tag[i] != '\0')
                ++i;
        };
        skip(" \t\r\n");
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        skip(" \t\r\n\"'");
        const qsizetype start = i;
        while (i < tag.size() && !std::strchr(" \t\r\n\"';/>", tag[i]))
            ++i;
        if (const std::optional<platform::Charset> charset = platform::charsetForLabel(tag.mid(start, i - start)))
            return charset;
    }
    return std::nullopt;
}

// The WCA site's domain name without its top-level part.
const QString kWcaDomain = QStringLiteral("worldcubeassociation");

}  // namespace

QString decodePage(const QByteArray& bytes)
{
    if (const std::optional<QString> text = platform::decodeByMark(bytes))
        return *text;
    const std::optional<QString> utf8 = platform::decodeUtf8Strictly(bytes);
    if (const std::optional<platform::Charset> declared = declaredCharset(bytes)) {
        // A page read as bytes cannot be UTF-16: browsers take such a
        // declaration as UTF-8. A UTF-8 declaration holds only for bytes that
        // are UTF-8: a page saved anew in the code page keeps the line of
        // the page it came from, and then the rule below decides.
        const platform::CharsetKind kind = declared->kind;
        const bool utf8Declared = kind == platform::CharsetKind::Utf8 || kind == platform::CharsetKind::Utf16LE ||
                                  kind == platform::CharsetKind::Utf16BE;
        if (!utf8Declared)
            return platform::decodeIn(bytes, *declared);
        if (utf8)
            return *utf8;
    }
    if (!utf8)
        return platform::decodeAnsi(bytes);
    // Valid UTF-8: read so only when that reading is clearly the better one.
    // Where the GBK reading breaks, any ideograph decides, as it always did.
    // Else the reading with more common ideographs, less the characters that
    // are neither, wins, and a tie keeps GBK. A page typed in GBK holds the
    // code page's common characters; the characters of its other parts are
    // what UTF-8 bytes read as GBK give, so only the UTF-8 reading counts
    // common traditional characters.
    const QString gbk = platform::decodeAnsi(bytes);
    const Reading asUtf8 = readingOf(*utf8, commonSimplifiedOrTraditional());
    const Reading asGbk = readingOf(gbk, commonSimplified());
    if (asGbk.replaced > asUtf8.replaced)
        return asUtf8.ideographs > 0 ? *utf8 : gbk;
    return asUtf8.score > asGbk.score ? *utf8 : gbk;
}

QList<ListEntry> convertPage(const QStringList& lines)
{
    QString pageText = lines.join(QString());
    pageText.remove(QStringLiteral("</td>"));
    pageText.remove(QStringLiteral("</a>"));
    pageText.remove(QStringLiteral("</span>"));

    QList<ListEntry> entries;
    const QStringList rows = pageText.split(QStringLiteral("<tr class"));
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QString& row = rows[i];
        const QStringList cells = row.split(QStringLiteral("<td>"));
        if (cells.size() < 4)
            continue;
        const QString& nameCell = cells[2];
        ListEntry entry;
        entry.name = nameCell;
        if (row.contains(QStringLiteral("world"))) {
            const qsizetype gt = nameCell.indexOf(u'>');
            if (gt >= 0)
                entry.name = nameCell.mid(gt + 1);
        }
        entry.male = cells[3].contains(QStringLiteral("男"));
        if (row.contains(kWcaDomain)) {
            // The 10 characters right behind "php?i=", or from the 6th
            // character when the cell holds no such marker.
            entry.wcaLink = true;
            const qsizetype at = nameCell.indexOf(QStringLiteral("php?i="));
            entry.wcaId = nameCell.mid(at >= 0 ? at + 6 : 5, 10);
        }
        entries << entry;
    }
    return entries;
}

}  // namespace compdraw
