#include "compdraw/converter.h"

#include "platform/text_file.h"

namespace compdraw {

namespace {

// CJK unified ideographs (with extension A) and compatibility ideographs:
// the characters of Chinese names, three bytes each in UTF-8.
bool holdsCjkIdeograph(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF))
            return true;
    }
    return false;
}

// The WCA site's domain name without its top-level part.
const QString kWcaDomain = QStringLiteral("worldcubeassociation");

}  // namespace

QString decodePage(const QByteArray& bytes)
{
    if (platform::startsWithUtf8Bom(bytes))
        return platform::decodeAnsiUnlessUtf8Bom(bytes);
    if (const std::optional<QString> text = platform::decodeUtf16WithBom(bytes))
        return *text;
    if (const std::optional<QString> text = platform::decodeUtf8Strictly(bytes); text && holdsCjkIdeograph(*text))
        return *text;
    return platform::decodeAnsi(bytes);
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
