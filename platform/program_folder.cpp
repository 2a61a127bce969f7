#include "platform/program_folder.h"

#include "platform/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <cstdlib>

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

namespace {

// The path with every link resolved; empty when it does not exist.
QByteArray realPath(const QByteArray& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) != nullptr ? QByteArray(resolved) : QByteArray();
}

}  // namespace

bool liesInFolder(const QString& folder, const QString& path)
{
    QByteArray base = realPath(QFile::encodeName(QDir(folder).absolutePath()));
    // Where the links cannot be followed, a save cannot follow them either
    // and fails: the path is then judged as it stands.
    QByteArray probe = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    try {
        probe = QFile::encodeName(savedFilePath(path));
    } catch (const TextFileError&) {
    }
    if (base.isEmpty())
        return false;
    if (!base.endsWith('/'))
        base += '/';
    // Up to the deepest part that exists; what lies beyond it holds no
    // links, and no ".." that could lead back out.
    QByteArray rest;
    QByteArray real = realPath(probe);
    while (real.isEmpty()) {
        const qsizetype slash = probe.lastIndexOf('/');
        const QByteArray part = probe.mid(slash + 1);
        if (slash < 0 || part == "..")
            return false;
        rest = '/' + part + rest;
        probe = slash == 0 ? QByteArray("/") : probe.left(slash);
        real = realPath(probe);
    }
    const QByteArray resolved = real.endsWith('/') ? real.chopped(1) + rest : real + rest;
    return resolved.startsWith(base) && resolved.size() > base.size();
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
