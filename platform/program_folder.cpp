#include "platform/program_folder.h"

#include "platform/file_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

QString folderHandlePath(const QByteArray& executable)
{
    const qsizetype slash = executable.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : executable.left(slash);
    // Held for the life of the process: every file of the suite is reached
    // through it.
    const int fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return {};
    return QString::fromLatin1(descriptorPath(fd));
}

QString programFolder()
{
    static const QString folder = [] {
        QByteArray exe(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink("/proc/self/exe", exe.data(), size_t(exe.size()));
        QString handle;
        if (n > 0 && n < exe.size()) {
            exe.resize(n);
            handle = folderHandlePath(exe);
        }
        return handle.isEmpty() ? QCoreApplication::applicationDirPath() : handle;
    }();
    return folder;
}

QString nameInFolder(const QString& name)
{
    QString rel = name;
    rel.replace(u'\\', u'/');
    while (rel.startsWith(u'/'))
        rel.remove(0, 1);
    if (rel.isEmpty() || QDir::isAbsolutePath(rel) || rel.contains(u':'))
        return {};
    rel = QDir::cleanPath(rel);
    if (rel == u"." || rel == u".." || rel.startsWith(QStringLiteral("../")))
        return {};
    return rel;
}

QString fileInFolder(const QString& folder, const QString& name)
{
    const QString rel = nameInFolder(name);
    if (rel.isEmpty())
        return {};
    return QDir::cleanPath(QDir(folder).absolutePath()) + u'/' + rel;
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
