#include "platform/atomic_write.h"

#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<int> commitFailure{0};

// The system's description of an error number, as UTF-8.
std::string describe(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)).toStdString();
}

// Writes all bytes, going on after short writes and interruptions.
bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

constexpr int kMaxLinks = 40;  // as the kernel follows them
constexpr int kNameAttempts = 100;

[[noreturn]] void fail(int error)
{
    throw TextFileError(describe(error));
}

// The path as given, made absolute against the working folder.
QByteArray absolutePath(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return bytes.startsWith('/') ? bytes : QFile::encodeName(QDir::currentPath()) + '/' + bytes;
}

// The folder part of an absolute path.
QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

// What a link says.
QByteArray readLink(const QByteArray& link, int& error)
{
    QByteArray target(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::readlink(link.constData(), target.data(), size_t(target.size()));
        if (n < 0) {
            error = errno;
            return {};
        }
        if (n < target.size()) {
            target.resize(n);
            return target;
        }
        target.resize(target.size() * 2);
    }
}

// Follows the chain of links from an absolute path to its last entry:
// `path` becomes that entry's path and `entry` its status (st_mode 0 when it
// does not exist). Returns 0 or the error number.
int followLinks(QByteArray& path, struct stat& entry)
{
    for (int links = 0;; ++links) {
        if (::lstat(path.constData(), &entry) != 0) {
            if (errno != ENOENT)
                return errno;
            entry = {};
            return 0;
        }
        if (!S_ISLNK(entry.st_mode))
            return 0;
        if (links == kMaxLinks)
            return ELOOP;
        int error = 0;
        const QByteArray target = readLink(path, error);
        if (error != 0)
            return error;
        path = target.startsWith('/') ? target : folderOf(path) + '/' + target;
    }
}

// A short temporary name in a folder: ".tmp" and six random letters or
// digits, far below the length of any legal target name.
QByteArray temporaryName(const QByteArray& folder)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = folder + "/.tmp";
    for (int i = 0; i < 6; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(36)];
    return name;
}

std::atomic<bool> namedTemporaryOnly{false};

// The temporary file of one save: unnamed while it is written where the
// file system can, else under a temporary name. Whatever it leaves behind
// goes when it ends.
class TemporaryFile {
public:
    explicit TemporaryFile(const QByteArray& folder)
        : folder_(folder)
    {
        if (!namedTemporaryOnly && ::access("/proc/self/fd", X_OK) == 0) {
            fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (fd_ >= 0)
                return;
            // EISDIR: a kernel that knows no O_TMPFILE; the others: a file
            // system without unnamed files.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                fail(errno);
        }
        for (int attempt = 0; fd_ < 0; ++attempt) {
            name_ = temporaryName(folder);
            fd_ = ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && (errno != EEXIST || attempt == kNameAttempts)) {
                const int error = errno;
                name_.clear();
                fail(error);
            }
        }
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.isEmpty())
            ::unlink(name_.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }

    // Gives the written file its temporary name (an unnamed file through
    // its /proc link) and closes it. Returns 0 or the error number.
    int finish()
    {
        if (name_.isEmpty()) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
            for (int attempt = 0;; ++attempt) {
                QByteArray name = temporaryName(folder_);
                if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
                    name_ = name;
                    break;
                }
                if (errno != EEXIST || attempt == kNameAttempts)
                    return errno;
            }
        }
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

    // Moves the file over the target; afterwards nothing is left to remove.
    int moveTo(const QByteArray& target)
    {
        if (::rename(name_.constData(), target.constData()) != 0)
            return errno;
        name_.clear();
        return 0;
    }

private:
    QByteArray folder_;
    QByteArray name_;
    int fd_ = -1;
};

}  // namespace

QString savedFilePath(const QString& path)
{
    QByteArray end = absolutePath(path);
    struct stat entry {};
    if (const int error = followLinks(end, entry))
        fail(error);
    return QFile::decodeName(end);
}

void useNamedTemporaryForTesting(bool on)
{
    namedTemporaryOnly = on;
}

void failNextCommitForTesting(int errorNumber)
{
    commitFailure = errorNumber;
}

void writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    // The file at the end of the links is the one replaced; the links stay.
    QByteArray target = absolutePath(path);
    struct stat earlier {};
    if (const int error = followLinks(target, earlier))
        fail(error);
    const bool replacing = earlier.st_mode != 0;
    if (replacing) {
        // A device, FIFO or socket is never replaced by a plain file.
        if (S_ISDIR(earlier.st_mode))
            fail(EISDIR);
        if (!S_ISREG(earlier.st_mode))
            fail(EPERM);
        // The rename would replace a file the user may not write; an
        // ordinary save refuses it as its open would.
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
            fail(errno);
    }

    TemporaryFile temp(folderOf(target));
    // The umask sets a new file's permissions; a replaced file keeps its own.
    if (replacing)
        ::fchmod(temp.fd(), earlier.st_mode & 07777);
    int error = 0;
    if (!writeAll(temp.fd(), bytes.constData(), size_t(bytes.size())) || ::fsync(temp.fd()) != 0)
        error = errno;
    if (error == 0)
        error = temp.finish();
    if (error == 0)
        error = commitFailure.exchange(0);
    if (error == 0)
        error = temp.moveTo(target);
    if (error != 0)
        fail(error);
}

}  // namespace platform
