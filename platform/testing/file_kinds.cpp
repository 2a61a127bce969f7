#include "platform/testing/file_kinds.h"

#include <QFile>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace testing_support {

bool makeLink(const QByteArray& target, const QString& link)
{
    return ::symlink(target.constData(), QFile::encodeName(link).constData()) == 0;
}

QByteArray linkText(const QString& path)
{
    char buffer[4096];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return n < 0 ? QByteArray() : QByteArray(buffer, int(n));
}

mode_t kindOf(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

mode_t permissionsOf(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

mode_t makeDeviceOrFifo(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        return S_IFCHR;
    return ::mkfifo(name.constData(), 0666) == 0 ? S_IFIFO : 0;
}

}  // namespace testing_support
