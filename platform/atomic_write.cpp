#include "platform/atomic_write.h"

#include "platform/file_reader.h"
#include "platform/text_file.h"
#include "platform/unique_fd.h"

#include <QFile>
#include <QRandomGenerator>
#include <atomic>
#include <limits>
#include <string>
#include <vector>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<int> commitFailure{0};

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

// The folder part of a path; a relative path stays relative to the working
// folder, whose name is never turned into text.
QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
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

// Follows the chain of links from a path to its last entry:
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

// A short temporary name: ".tmp" and six random letters or digits, far
// below the length of any legal target name.
QByteArray temporaryName()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = ".tmp";
    for (int i = 0; i < 6; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(36)];
    return name;
}

std::atomic<bool> namedTemporaryOnly{false};
std::vector<std::string>* stepLog = nullptr;

void step(const char* what)
{
    if (stepLog != nullptr)
        stepLog->emplace_back(what);
}

// Creates a file under a new temporary name in a folder; `name` receives it.
UniqueFd createNamed(int folder, mode_t mode, QByteArray& name)
{
    for (int attempt = 0;; ++attempt) {
        name = temporaryName();
        UniqueFd fd(::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.valid())
            return fd;
        if (errno != EEXIST || attempt == kNameAttempts) {
            const int error = errno;
            name.clear();
            failWithError(error);
        }
    }
}

// A file under a temporary name in a folder; it goes again when the object
// ends unless kept.
class NamedFile {
public:
    NamedFile(int folder, mode_t mode) : folder_(folder), fd_(createNamed(folder, mode, name_)) {}
    ~NamedFile()
    {
        if (!name_.isEmpty())
            ::unlinkat(folder_, name_.constData(), 0);
    }
    NamedFile(const NamedFile&) = delete;
    NamedFile& operator=(const NamedFile&) = delete;

    int fd() const { return fd_.get(); }
    // The file stays where it is when the object ends.
    void keep() { name_.clear(); }

private:
    int folder_;
    QByteArray name_;
    UniqueFd fd_;
};

// The temporary file of one save: unnamed while it is written where the
// file system can, else under a temporary name. Whatever it leaves behind
// goes when it ends.
class TemporaryFile {
public:
    explicit TemporaryFile(int folder) : folder_(folder)
    {
        if (!namedTemporaryOnly && ::access("/proc/self/fd", X_OK) == 0) {
            fd_ = UniqueFd(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
            if (fd_.valid())
                return;
            // EISDIR: a kernel that knows no O_TMPFILE; the others: a file
            // system without unnamed files.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                failWithError(errno);
        }
        fd_ = createNamed(folder, 0666, name_);
    }
    ~TemporaryFile()
    {
        fd_.reset();
        if (!name_.isEmpty())
            ::unlinkat(folder_, name_.constData(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_.get(); }

    // Gives the written file its temporary name (an unnamed file through
    // its /proc link) and closes it. Returns 0 or the error number.
    int finish()
    {
        if (name_.isEmpty()) {
            const QByteArray self = descriptorPath(fd_.get());
            for (int attempt = 0;; ++attempt) {
                QByteArray name = temporaryName();
                if (::linkat(AT_FDCWD, self.constData(), folder_, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
                    name_ = name;
                    break;
                }
                if (errno != EEXIST || attempt == kNameAttempts)
                    return errno;
            }
        }
        return ::close(fd_.release()) == 0 ? 0 : errno;
    }

    // Moves the file over the target; afterwards nothing is left to remove.
    int moveTo(const QByteArray& target)
    {
        if (::renameat(folder_, name_.constData(), folder_, target.constData()) != 0)
            return errno;
        name_.clear();
        return 0;
    }

private:
    int folder_;
    QByteArray name_;
    UniqueFd fd_;
};

// Copies every extended attribute of the folder's entry `name` (its ACL
// among them, as system.posix_acl_access) to an open file. False when one
// of them cannot be read or set.
bool copyAttributes(int folder, const QByteArray& name, int to)
{
    const QByteArray from = descriptorPath(folder) + '/' + name;
    QByteArray list;
    for (;;) {
        const ssize_t size = ::llistxattr(from.constData(), nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;  // a file system without attributes has none to keep
        list.resize(size);
        const ssize_t got = ::llistxattr(from.constData(), list.data(), size_t(list.size()));
        if (got >= 0) {
            list.resize(got);
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    for (const QByteArray& attribute : list.split('\0')) {
        if (attribute.isEmpty())
            continue;
        QByteArray value;
        ssize_t got = -1;
        do {
            const ssize_t size = ::lgetxattr(from.constData(), attribute.constData(), nullptr, 0);
            if (size < 0)
                return false;
            value.resize(size);
            got = ::lgetxattr(from.constData(), attribute.constData(), value.data(), size_t(value.size()));
        } while (got < 0 && errno == ERANGE);
        if (got < 0 || ::fsetxattr(to, attribute.constData(), value.constData(), size_t(got), 0) != 0)
            return false;
    }
    return true;
}

int fsyncFolder(int folder)
{
    const UniqueFd fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid() || ::fsync(fd.get()) != 0)
        return errno;
    step("fsync folder");
    return 0;
}

// Writes bytes at the start of an open file and cuts it there.
bool overwrite(int fd, const QByteArray& bytes)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes.constData(), size_t(bytes.size())) &&
           ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// The save into the file itself, for a file whose replacement could not keep
// what it had. Its earlier content goes into a copy beside it first; a
// failed write puts that content back, and the copy goes once the file is
// whole and flushed (it stays only where the content could not be put back).
void writeInPlace(int folder, const QByteArray& name, const QByteArray& bytes)
{
    step("in place");
    const UniqueFd file(::openat(folder, name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.valid())
        failWithError(errno);
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        failWithError(errno);
    if (!S_ISREG(st.st_mode))
        failWithError(EPERM);
    const QByteArray earlier = readOpenFile(file.get(), std::numeric_limits<qint64>::max() / 2);
    NamedFile backup(folder, 0600);
    if (!writeAll(backup.fd(), earlier.constData(), size_t(earlier.size())) || ::fsync(backup.fd()) != 0)
        failWithError(errno);
    if (const int error = fsyncFolder(folder))
        failWithError(error);
    int error = commitFailure.exchange(0);
    if (error == 0 && !overwrite(file.get(), bytes))
        error = errno;
    if (error != 0) {
        if (!overwrite(file.get(), earlier))
            backup.keep();
        failWithError(error);
    }
    step("fsync file");
}

}  // namespace

void useNamedTemporaryForTesting(bool on)
{
    namedTemporaryOnly = on;
}

void failNextCommitForTesting(int errorNumber)
{
    commitFailure = errorNumber;
}

void recordWriterStepsForTesting(std::vector<std::string>* steps)
{
    stepLog = steps;
}

void writeFileAt(int folder, const QByteArray& name, const QByteArray& bytes)
{
    struct stat earlier {};
    if (::fstatat(folder, name.constData(), &earlier, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            failWithError(errno);
        earlier = {};
    }
    const bool replacing = earlier.st_mode != 0;
    if (replacing) {
        // The caller followed the links: one here appeared since, and is
        // neither followed nor replaced.
        if (S_ISLNK(earlier.st_mode))
            failWithError(ELOOP);
        // A device, FIFO or socket is never replaced by a plain file.
        if (S_ISDIR(earlier.st_mode))
            failWithError(EISDIR);
        if (!S_ISREG(earlier.st_mode))
            failWithError(EPERM);
        // The rename would replace a file the user may not write; an
        // ordinary save refuses it as its open would.
        if (::faccessat(folder, name.constData(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
            failWithError(errno);
        // Another name of the same file would keep the old content.
        if (earlier.st_nlink > 1)
            return writeInPlace(folder, name, bytes);
    }

    TemporaryFile temp(folder);
    if (replacing) {
        // The replacement is what the file was: owner and group (first, as
        // a change of owner clears some mode bits), mode, attributes. What
        // cannot be given this way is kept by a save into the file itself.
        const bool sameOwner = earlier.st_uid == ::geteuid() && earlier.st_gid == ::getegid();
        if ((!sameOwner && ::fchown(temp.fd(), earlier.st_uid, earlier.st_gid) != 0) ||
            ::fchmod(temp.fd(), earlier.st_mode & 07777) != 0 || !copyAttributes(folder, name, temp.fd()))
            return writeInPlace(folder, name, bytes);
    }
    int error = 0;
    if (!writeAll(temp.fd(), bytes.constData(), size_t(bytes.size())) || ::fsync(temp.fd()) != 0)
        error = errno;
    if (error == 0) {
        step("fsync file");
        error = temp.finish();
    }
    if (error == 0)
        error = commitFailure.exchange(0);
    if (error == 0)
        error = temp.moveTo(name);
    // A sticky folder lets nobody but its owner and the file's replace the
    // file, though its mode lets them write into it.
    if (replacing && (error == EPERM || error == EACCES) && (earlier.st_uid != ::geteuid()))
        return writeInPlace(folder, name, bytes);
    if (error != 0)
        failWithError(error);
    step("rename");
    if ((error = fsyncFolder(folder)) != 0)
        failWithError(error);
}

void writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    // The file at the end of the links is the one replaced; the links stay.
    QByteArray target = QFile::encodeName(path);
    struct stat earlier {};
    if (const int error = followLinks(target, earlier))
        failWithError(error);
    const UniqueFd folder(::open(folderOf(target).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        failWithError(errno);
    writeFileAt(folder.get(), target.mid(target.lastIndexOf('/') + 1), bytes);
}

}  // namespace platform
