#include "compdraw/list_entry.h"

#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace compdraw {

QString ListEntry::line() const
{
    QString text = name + u'+' + (male ? u'M' : u'F');
    if (wcaLink)
        text += u'+' + wcaId;
    return text;
}

void writeListFile(const QString& folder, const QList<ListEntry>& entries)
{
    QStringList lines;
    for (const ListEntry& e : entries)
        lines << e.line();
    platform::writeAnsiLinesReplacing(platform::findFileNoCase(folder, kListFileName), lines);
}

QStringList readListFile(const QString& folder)
{
    const QByteArray bytes = platform::readFileBytes(platform::findFileNoCase(folder, kListFileName));
    return platform::splitLines(platform::decodeAnsiUnlessUtf8Bom(bytes));
}

}  // namespace compdraw
