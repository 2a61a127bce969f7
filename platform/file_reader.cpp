#include "platform/file_reader.h"

#include "platform/text_file.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace platform {

void failWithError(int error)
{
    throw TextFileError(QString::fromLocal8Bit(std::strerror(error)).toStdString());
}

QByteArray descriptorPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

UniqueFd openRegularFile(int folder, const QByteArray& name, int extraFlags)
{
    // O_NONBLOCK: opening a FIFO without a writer, or a device, returns at
    // once, and what it is shows before anything is read.
    UniqueFd fd(::openat(folder, name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | extraFlags));
    if (!fd.valid())
        failWithError(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        failWithError(errno);
    if (S_ISDIR(st.st_mode))
        failWithError(EISDIR);
    if (!S_ISREG(st.st_mode))
        failWithError(EPERM);
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        failWithError(errno);
    return fd;
}

QByteArray readOpenFile(int fd, qint64 cap)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        failWithError(errno);
    if (st.st_size > cap)
        failWithError(EFBIG);
    // The size is a hint: the file may grow or shrink while it is read.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > cap)
                failWithError(EFBIG);
            bytes.resize(qsizetype(std::min<qint64>(cap + 1, qint64(bytes.size()) * 2 + 4096)));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failWithError(errno);
        }
        if (n == 0)
            break;
        used += n;
    }
    if (used > cap)
        failWithError(EFBIG);
    bytes.resize(used);
    return bytes;
}

QByteArray readRegularFile(int folder, const QByteArray& name, qint64 cap, int extraFlags)
{
    const UniqueFd fd = openRegularFile(folder, name, extraFlags);
    return readOpenFile(fd.get(), cap);
}

}  // namespace platform
