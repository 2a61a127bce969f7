#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString fileInFolder(const QString& folder, const QString& name)
{
    QString rel = name;
    rel.replace(u'\\', u'/');
    while (rel.startsWith(u'/'))
        rel.remove(0, 1);
    if (rel.isEmpty() || QDir::isAbsolutePath(rel) || rel.contains(u':'))
        return {};
    const QString base = QDir::cleanPath(QDir(folder).absolutePath());
    const QString full = QDir::cleanPath(base + u'/' + rel);
    if (!full.startsWith(base + u'/'))
        return {};
    return full;
}

QString findFileNoCase(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const auto entries = dir.entryList(QDir::Files);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return dir.filePath(name);
}

}  // namespace platform
