#include "platform/path_beneath.h"

#include "platform/file_reader.h"

#include <QString>
#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace platform {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel follows them

[[noreturn]] void outside()
{
    throw OutsideFolderError(QString::fromLocal8Bit(std::strerror(EXDEV)).toStdString());
}

UniqueFd openFolder(int at, const char* name)
{
    UniqueFd fd(::openat(at, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid())
        failWithError(errno);
    return fd;
}

// Where a folder handle stands, as the system names it.
QByteArray placeOf(int fd)
{
    QByteArray place(PATH_MAX, Qt::Uninitialized);
    const QByteArray self = descriptorPath(fd);
    const ssize_t n = ::readlink(self.constData(), place.data(), size_t(place.size()));
    if (n <= 0 || n >= place.size())
        failWithError(n < 0 ? errno : ENAMETOOLONG);
    place.resize(n);
    return place;
}

QByteArray linkTarget(int folder, const QByteArray& name)
{
    QByteArray target(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::readlinkat(folder, name.constData(), target.data(), size_t(target.size()));
        if (n < 0)
            failWithError(errno);
        if (n < target.size())
            return target.left(n);
        target.resize(target.size() * 2);
    }
}

// The name of an entry of the folder equal to `name` ignoring letter case;
// empty when there is none.
QByteArray entryIgnoringCase(int folder, const QByteArray& name)
{
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return {};
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return {};
    }
    const QString wanted = QString::fromUtf8(name);
    QByteArray found;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray candidate(entry->d_name);
        // A name in other bytes than UTF-8 is no typed name in another case.
        if (candidate != "." && candidate != ".." && isValidUtf8(candidate) &&
            QString::fromUtf8(candidate).compare(wanted, Qt::CaseInsensitive) == 0) {
            found = candidate;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

void pushParts(std::deque<QByteArray>& parts, const QByteArray& path)
{
    const QList<QByteArray> split = path.split('/');
    for (auto it = split.rbegin(); it != split.rend(); ++it)
        if (!it->isEmpty() && *it != ".")
            parts.push_front(*it);
}

}  // namespace

EntryBeneath resolveBeneath(int root, const QByteArray& path)
{
    if (path.startsWith('/'))
        outside();
    // The open folders from the root down to where the walk stands.
    std::vector<UniqueFd> folders;
    folders.push_back(openFolder(root, "."));
    std::deque<QByteArray> parts;
    pushParts(parts, path);
    if (parts.empty())
        failWithError(EISDIR);
    int links = 0;
    QByteArray rootPlace;
    while (!parts.empty()) {
        QByteArray part = parts.front();
        parts.pop_front();
        if (part == "..") {
            if (folders.size() == 1)
                outside();
            folders.pop_back();
            continue;
        }
        const int here = folders.back().get();
        const bool last = parts.empty();
        struct stat st {};
        if (::fstatat(here, part.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                failWithError(errno);
            if (!last)
                failWithError(ENOENT);
            const QByteArray other = entryIgnoringCase(here, part);
            if (other.isEmpty())
                return {std::move(folders.back()), part};
            part = other;
            if (::fstatat(here, part.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                failWithError(errno);
        }
        if (S_ISLNK(st.st_mode)) {
            if (++links > kMaxLinks)
                failWithError(ELOOP);
            QByteArray target = linkTarget(here, part);
            if (target.startsWith('/')) {
                // An absolute link counts only where it names the folder
                // itself or a place beneath it.
                if (rootPlace.isEmpty())
                    rootPlace = placeOf(folders.front().get());
                const QByteArray prefix = rootPlace.endsWith('/') ? rootPlace : rootPlace + '/';
                if (target != rootPlace && !target.startsWith(prefix))
                    outside();
                target = target.mid(prefix.size());
                folders.resize(1);
            }
            pushParts(parts, target);
            if (parts.empty())
                failWithError(EISDIR);
            continue;
        }
        if (last)
            return {std::move(folders.back()), part};
        folders.push_back(openFolder(here, part.constData()));
    }
    failWithError(EISDIR);  // the path ended in ".."
}

}  // namespace platform
