// The competitor list "list.txt": one line per competitor, written by the
// converter and read by the prize draw. Line form: name "+" gender letter,
// then "+" and the WCA ID (possibly empty) for competitors with a WCA link.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace compdraw {

inline const QString kListFileName = QStringLiteral("list.txt");

struct ListEntry {
    QString name;
    bool male = false;
    bool wcaLink = false;  // the row links the WCA site
    QString wcaId;         // the text cut for the ID; may be empty or of another form

    QString line() const;
};

// Writes the list into the folder in GBK with CR LF, whole or not at all
// (an existing list of any letter case is replaced); a character GBK cannot
// hold is written as "?". Throws platform::TextFileError when the file
// cannot be written; the old list then stays as it was.
void writeListFile(const QString& folder, const QList<ListEntry>& entries);

// Lines of the folder's list file, found whatever the case of its name; read
// as GBK unless it starts with a UTF-8 byte-order mark. Throws
// platform::TextFileError when there is no readable list.
QStringList readListFile(const QString& folder);

}  // namespace compdraw
