// The atomic writer against what users bring: links, devices, read-only
// files, long names, a program killed mid-save, two saves at once.
#include "platform/testing/as_nobody.h"
#include "platform/testing/file_kinds.h"
#include "platform/testing/file_size_limit.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
using testing_support::fileBytes;
using testing_support::kindOf;
using testing_support::linkText;
using testing_support::makeDeviceOrFifo;
using testing_support::makeLink;
using testing_support::permissionsOf;
using testing_support::u8;
using testing_support::writeBytes;

namespace {

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QStringList entriesOf(const QTemporaryDir& dir)
{
    return entriesOf(dir.path());
}

std::string reasonOf(const std::function<void()>& write)
{
    try {
        write();
    } catch (const TextFileError& e) {
        return e.what();
    }
    return "no failure";
}

// While it lives, the writer uses a named temporary file, as on a file
// system without unnamed ones.
struct NamedTemporary {
    explicit NamedTemporary(bool on) { useNamedTemporaryForTesting(on); }
    ~NamedTemporary() { useNamedTemporaryForTesting(false); }
};

}  // namespace

TEST(SafeSave, FailedWritesLeaveTheEarlierFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    const QByteArray earlier(12000, 'e');
    writeFileAtomic(path, earlier);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);

    // The disk fills after 4 KB of a 16 KB file.
    {
        testing_support::FileSizeLimit limit(4096);
        EXPECT_EQ(reasonOf([&] { writeFileAtomic(path, QByteArray(16000, 'n')); }), std::strerror(EFBIG));
    }
    EXPECT_EQ(fileBytes(path), earlier);
    // A file that fits in one write, failing at the very end.
    failNextCommitForTesting(ENOSPC);
    EXPECT_EQ(reasonOf([&] { writeAnsiLines(path, {"x"}); }), std::strerror(ENOSPC));
    EXPECT_EQ(fileBytes(path), earlier);
    EXPECT_EQ(entriesOf(dir), QStringList{"a.txt"});  // no temporary file left

    // A name taken by a folder: the folder stays.
    QDir(dir.path()).mkdir("b.txt");
    EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath("b.txt"), "x"); }), std::strerror(EISDIR));
    EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath("none/c.txt"), "x"); }), std::strerror(ENOENT));
    EXPECT_EQ(entriesOf(dir), (QStringList{"a.txt", "b.txt"}));

    // A good write replaces the file and keeps its permissions.
    writeFileAtomic(path, "new");
    EXPECT_EQ(fileBytes(path), "new");
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A link to the file stays a link.
    ASSERT_TRUE(QFile::link(path, dir.filePath("link.txt")));
    writeFileAtomic(dir.filePath("link.txt"), "through");
    EXPECT_TRUE(QFileInfo(dir.filePath("link.txt")).isSymLink());
    EXPECT_EQ(fileBytes(path), "through");
}

TEST(SafeSave, DevicesFifosSocketsAndFoldersAreRefusedAndLeftAlone)
{
    QTemporaryDir dir;
    const mode_t deviceKind = makeDeviceOrFifo(dir.filePath("dev"));
    ASSERT_NE(deviceKind, 0u);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0666), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray sockPath = QFile::encodeName(dir.filePath("sock"));
    ASSERT_LT(size_t(sockPath.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, sockPath.constData(), size_t(sockPath.size()));
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(sock);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(makeLink("dev", dir.filePath("z.txt")));
    ASSERT_TRUE(makeLink("z.txt", dir.filePath("zz.txt")));
    ASSERT_TRUE(makeLink("folder", dir.filePath("f.txt")));
    const QStringList before = entriesOf(dir);

    const struct {
        const char* name;
        int error;
    } refused[] = {{"z.txt", EPERM}, {"zz.txt", EPERM}, {"dev", EPERM}, {"fifo", EPERM},
                   {"sock", EPERM},  {"folder", EISDIR}, {"f.txt", EISDIR}};
    for (const auto& r : refused) {
        EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath(r.name), "x"); }), std::strerror(r.error)) << r.name;
    }
    EXPECT_EQ(kindOf(dir.filePath("dev")), deviceKind);
    EXPECT_EQ(kindOf(dir.filePath("fifo")), mode_t(S_IFIFO));
    EXPECT_EQ(kindOf(dir.filePath("sock")), mode_t(S_IFSOCK));
    EXPECT_EQ(kindOf(dir.filePath("folder")), mode_t(S_IFDIR));
    for (const char* link : {"z.txt", "zz.txt", "f.txt"})
        EXPECT_EQ(kindOf(dir.filePath(link)), mode_t(S_IFLNK)) << link;
    EXPECT_EQ(entriesOf(dir), before);
    EXPECT_TRUE(entriesOf(dir.filePath("folder")).isEmpty());
}

TEST(SafeSave, EveryLinkOfAChainStaysALink)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("file.txt");
    writeFileAtomic(file, "old");
    ASSERT_TRUE(makeLink("file.txt", dir.filePath("x.txt")));
    ASSERT_TRUE(makeLink("x.txt", dir.filePath("chain.txt")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    ASSERT_TRUE(makeLink("../chain.txt", dir.filePath("sub/up.txt")));  // relative to its own folder
    ASSERT_TRUE(makeLink(QFile::encodeName(dir.filePath("sub/up.txt")), dir.filePath("abs.txt")));

    writeFileAtomic(dir.filePath("chain.txt"), "one");
    EXPECT_EQ(fileBytes(file), "one");
    writeAnsiLines(dir.filePath("abs.txt"), {u8("郑伟")});
    EXPECT_EQ(readAnsiLines(file), QStringList{u8("郑伟")});
    EXPECT_EQ(linkText(dir.filePath("x.txt")), "file.txt");
    EXPECT_EQ(linkText(dir.filePath("chain.txt")), "x.txt");
    EXPECT_EQ(linkText(dir.filePath("sub/up.txt")), "../chain.txt");
    EXPECT_EQ(kindOf(dir.filePath("abs.txt")), mode_t(S_IFLNK));
    EXPECT_EQ(kindOf(file), mode_t(S_IFREG));

    // A dangling link names the file to create; the link stays.
    ASSERT_TRUE(makeLink("made.txt", dir.filePath("d.txt")));
    writeFileAtomic(dir.filePath("d.txt"), "made");
    EXPECT_EQ(fileBytes(dir.filePath("made.txt")), "made");
    EXPECT_EQ(linkText(dir.filePath("d.txt")), "made.txt");
    // A dangling link into a missing folder, and a loop: refused, nothing made.
    ASSERT_TRUE(makeLink("none/n.txt", dir.filePath("e.txt")));
    EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath("e.txt"), "x"); }), std::strerror(ENOENT));
    ASSERT_TRUE(makeLink("loop2.txt", dir.filePath("loop1.txt")));
    ASSERT_TRUE(makeLink("loop1.txt", dir.filePath("loop2.txt")));
    EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath("loop1.txt"), "x"); }), std::strerror(ELOOP));
    EXPECT_EQ(entriesOf(dir), (QStringList{"abs.txt", "chain.txt", "d.txt", "e.txt", "file.txt", "loop1.txt",
                                           "loop2.txt", "made.txt", "sub", "x.txt"}));
    EXPECT_EQ(kindOf(dir.filePath("loop1.txt")), mode_t(S_IFLNK));

    // 40 links in a row are followed, one more is a loop to the system too.
    QString previous = "file.txt";
    for (int i = 1; i <= 41; ++i) {
        const QString name = QStringLiteral("l%1").arg(i);
        ASSERT_TRUE(makeLink(QFile::encodeName(previous), dir.filePath(name)));
        previous = name;
    }
    writeFileAtomic(dir.filePath("l40"), "forty");
    EXPECT_EQ(fileBytes(file), "forty");
    EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath("l41"), "x"); }), std::strerror(ELOOP));
    EXPECT_EQ(fileBytes(file), "forty");
}

// Permissions bite only for a user other than root: the writes run in a
// child process as the user "nobody".
TEST(SafeSave, AFileTheUserMayNotWriteIsRefusedAndKept)
{
    QTemporaryDir dir;
    const QString base = dir.filePath("w");
    ASSERT_TRUE(QDir().mkpath(base + "/ro"));
    testing_support::writeBytes(base + "/ro.txt", "earlier");
    testing_support::writeBytes(base + "/rw.txt", "earlier");
    testing_support::writeBytes(base + "/ro/in.txt", "earlier");
    ASSERT_TRUE(makeLink("ro.txt", base + "/link.txt"));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    for (const char* entry : {"", "/ro", "/ro.txt", "/rw.txt", "/ro/in.txt", "/link.txt"}) {
        if (!testing_support::giveToChild(base + entry))
            GTEST_SKIP() << "no user to run the case as";
    }
    ::chmod(QFile::encodeName(base + "/ro.txt").constData(), 0444);
    ::chmod(QFile::encodeName(base + "/ro").constData(), 0555);

    const std::string denied = std::strerror(EACCES);
    const int code = testing_support::exitCodeAsNobody([&] {
        if (reasonOf([&] { writeFileAtomic(base + "/ro.txt", "new"); }) != denied)
            return 1;
        if (reasonOf([&] { writeAnsiLines(base + "/link.txt", {"new"}); }) != denied)
            return 2;
        // A read-only folder: neither a replaced nor a new file.
        if (reasonOf([&] { writeFileAtomic(base + "/ro/in.txt", "new"); }) != denied)
            return 3;
        if (reasonOf([&] { writeFileAtomic(base + "/ro/new.txt", "new"); }) != denied)
            return 4;
        if (reasonOf([&] { writeFileAtomic(base + "/rw.txt", "new"); }) != "no failure")
            return 5;
        return 0;
    });
    if (code == -1)
        GTEST_SKIP() << "no child process as another user";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(fileBytes(base + "/ro.txt"), "earlier");
    EXPECT_EQ(permissionsOf(base + "/ro.txt"), mode_t(0444));
    EXPECT_EQ(fileBytes(base + "/ro/in.txt"), "earlier");
    EXPECT_EQ(fileBytes(base + "/rw.txt"), "new");
    EXPECT_EQ(entriesOf(base), (QStringList{"link.txt", "ro", "ro.txt", "rw.txt"}));
    EXPECT_EQ(entriesOf(base + "/ro"), QStringList{"in.txt"});
}

// With an unnamed temporary file and with the named one of a file system
// that has none: long names, permissions, and nothing left beside the target.
TEST(SafeSave, BothKindsOfTemporaryFileTakeEveryLegalNameAndLeaveNothing)
{
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary" : "unnamed temporary");
        const NamedTemporary kind(named);
        QTemporaryDir dir;
        const QStringList names = {QString(248, u'a') + ".txt", u8("中").repeated(83) + ".txt",
                                   QString(251, u'b') + ".txt"};
        for (const QString& name : names) {
            ASSERT_LE(QFile::encodeName(name).size(), 255);
            const QStringList lines = {name, u8("郑伟")};
            EXPECT_EQ(reasonOf([&] { writeAnsiLines(dir.filePath(name), lines); }), "no failure");
            EXPECT_EQ(readAnsiLines(dir.filePath(name)), lines);
            writeAnsiLines(dir.filePath(name), {"again"});  // replacing under the long name
            EXPECT_EQ(readAnsiLines(dir.filePath(name)), QStringList{"again"});
        }
        EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath(QString(252, u'c') + ".txt"), "x"); }),
                  std::strerror(ENAMETOOLONG));

        // A new file gets 0666 less the umask; a replaced one keeps its mode.
        const mode_t savedMask = ::umask(027);
        writeFileAtomic(dir.filePath("new.txt"), "x");
        ::umask(077);
        writeFileAtomic(dir.filePath("new2.txt"), "x");
        ::chmod(QFile::encodeName(dir.filePath("new.txt")).constData(), 0604);
        writeFileAtomic(dir.filePath("new.txt"), "y");
        ::umask(savedMask);
        EXPECT_EQ(permissionsOf(dir.filePath("new2.txt")), mode_t(0600));
        EXPECT_EQ(permissionsOf(dir.filePath("new.txt")), mode_t(0604));
        EXPECT_EQ(fileBytes(dir.filePath("new.txt")), "y");

        failNextCommitForTesting(ENOSPC);
        EXPECT_EQ(reasonOf([&] { writeFileAtomic(dir.filePath("new.txt"), "z"); }), std::strerror(ENOSPC));
        EXPECT_EQ(fileBytes(dir.filePath("new.txt")), "y");
        QStringList expected = names;
        expected << "new.txt" << "new2.txt";
        expected.sort();
        EXPECT_EQ(entriesOf(dir), expected);
    }
}

TEST(SafeSave, AKilledSaveLeavesOnlyTheEarlierFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("k.txt");
    const QByteArray earlier(1 << 20, 'e');
    writeFileAtomic(path, earlier);
    const QByteArray folder = QFile::encodeName(QFileInfo(dir.path()).canonicalFilePath()) + '/';

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const QByteArray big(200 << 20, 'n');
        try {
            writeFileAtomic(path, big);
        } catch (const TextFileError&) {
            _exit(2);
        }
        _exit(0);
    }
    // The child is killed as soon as it holds a file open in the folder:
    // its save is under way.
    bool killed = false;
    int status = 0;
    QElapsedTimer waited;
    waited.start();
    const QString fds = QStringLiteral("/proc/%1/fd").arg(child);
    while (!killed && waitpid(child, &status, WNOHANG) == 0 && waited.elapsed() < 60000) {
        for (const QString& fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            if (linkText(fds + u'/' + fd).startsWith(folder)) {
                kill(child, SIGKILL);
                killed = true;
                break;
            }
        }
        if (!killed)
            QThread::usleep(200);
    }
    if (!killed)
        kill(child, SIGKILL);
    waitpid(child, &status, 0);
    ASSERT_TRUE(killed) << "the save was not caught under way";
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(entriesOf(dir), QStringList{"k.txt"});
    EXPECT_EQ(fileBytes(path), earlier);
}

// Writers in processes of their own, as two programs saving the same file;
// every read in between sees one whole file.
TEST(SafeSave, TwoWritersAtOnceEachWriteWhole)
{
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary" : "unnamed temporary");
        const NamedTemporary kind(named);
        QTemporaryDir dir;
        const QString path = dir.filePath("t.txt");
        constexpr int kWriters = 3;
        const auto content = [](int writer) { return QByteArray(100000 + writer, char('a' + writer)); };
        writeFileAtomic(path, content(0));

        std::vector<pid_t> writers;
        for (int w = 0; w < kWriters; ++w) {
            const pid_t child = fork();
            ASSERT_NE(child, -1);
            if (child == 0) {
                int failures = 0;
                for (int i = 0; i < 30; ++i) {
                    try {
                        writeFileAtomic(path, content(w));
                    } catch (const TextFileError&) {
                        ++failures;
                    }
                }
                _exit(failures);
            }
            writers.push_back(child);
        }
        int torn = 0;
        int failed = 0;
        QElapsedTimer waited;
        waited.start();
        while (!writers.empty()) {
            const QByteArray seen = fileBytes(path);
            const int writer = seen.isEmpty() ? -1 : seen[0] - 'a';
            if (writer < 0 || writer >= kWriters || seen != content(writer))
                ++torn;
            for (auto it = writers.begin(); it != writers.end();) {
                int status = 0;
                const bool overdue = waited.elapsed() > 60000;
                if (overdue)
                    kill(*it, SIGKILL);
                if (waitpid(*it, &status, overdue ? 0 : WNOHANG) == 0) {
                    ++it;
                    continue;
                }
                if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                    ++failed;
                it = writers.erase(it);
            }
        }
        EXPECT_EQ(failed, 0);
        EXPECT_EQ(torn, 0);
        EXPECT_EQ(entriesOf(dir), QStringList{"t.txt"});
    }
}

namespace {

constexpr uid_t kOtherUser = 65534;
constexpr gid_t kOtherGroup = 65534;

// A POSIX ACL as the kernel stores it: the file's owner may read and write,
// one more user may read, nobody else anything.
QByteArray aclLettingUserRead(uint32_t user)
{
    struct Entry {
        uint16_t tag;
        uint16_t perm;
        uint32_t id;
    };
    const uint32_t version = 2;
    const Entry entries[] = {{0x01, 6, ~0u}, {0x02, 4, user}, {0x04, 4, ~0u}, {0x10, 4, ~0u}, {0x20, 0, ~0u}};
    QByteArray bytes(reinterpret_cast<const char*>(&version), sizeof version);
    bytes += QByteArray(reinterpret_cast<const char*>(entries), sizeof entries);
    return bytes;
}

QByteArray attributeOf(const QString& path, const char* name)
{
    QByteArray value(4096, '\0');
    const ssize_t n = ::lgetxattr(QFile::encodeName(path).constData(), name, value.data(), size_t(value.size()));
    return n < 0 ? QByteArray() : value.left(n);
}

struct stat statusOf(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Records the writer's steps while it lives.
struct StepRecord {
    std::vector<std::string> steps;
    StepRecord() { recordWriterStepsForTesting(&steps); }
    ~StepRecord() { recordWriterStepsForTesting(nullptr); }
};

}  // namespace

// Saved as root, a file of another user and group keeps owner, group, mode,
// extended attributes and ACL; the folder is flushed after the rename.
TEST(SafeSave, AReplacedFileKeepsOwnerModeAttributesAndAcl)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    writeBytes(path, "earlier");
    const QByteArray name = QFile::encodeName(path);
    if (::geteuid() != 0 || ::chown(name.constData(), kOtherUser, kOtherGroup) != 0)
        GTEST_SKIP() << "files of another user need root";
    ASSERT_EQ(::chmod(name.constData(), 0640), 0);
    ASSERT_EQ(::lsetxattr(name.constData(), "user.origin", "forum", 5, 0), 0);
    const QByteArray acl = aclLettingUserRead(4242);
    const bool aclKept = ::lsetxattr(name.constData(), "system.posix_acl_access", acl.constData(), size_t(acl.size()), 0) == 0;
    const mode_t mode = statusOf(path).st_mode & 07777;

    StepRecord record;
    writeFileAtomic(path, "new list");
    EXPECT_EQ(fileBytes(path), "new list");
    const struct stat after = statusOf(path);
    EXPECT_EQ(after.st_uid, kOtherUser);
    EXPECT_EQ(after.st_gid, kOtherGroup);
    EXPECT_EQ(after.st_mode & 07777, mode);
    EXPECT_EQ(attributeOf(path, "user.origin"), "forum");
    if (aclKept) {
        EXPECT_EQ(attributeOf(path, "system.posix_acl_access"), acl);
    }
    EXPECT_EQ(record.steps, (std::vector<std::string>{"fsync file", "rename", "fsync folder"}));
    EXPECT_EQ(entriesOf(dir), QStringList{"list.txt"});
}

// Where a replacement could not keep the file as it was, the save writes into
// the file itself: a file with two names, a file of another user saved by a
// group member in a shared folder, a file of another user in a sticky folder.
TEST(SafeSave, SavesThatCannotReplaceWriteIntoTheFileAndKeepIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    writeBytes(path, "old list");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("other.txt")).constData()), 0);
    {
        StepRecord record;
        writeAnsiLines(path, {u8("郑伟+M")});
        EXPECT_EQ(record.steps, (std::vector<std::string>{"in place", "fsync folder", "fsync file"}));
    }
    EXPECT_EQ(readAnsiLines(dir.filePath("other.txt")), QStringList{u8("郑伟+M")});
    EXPECT_EQ(statusOf(path).st_nlink, nlink_t(2));
    EXPECT_EQ(entriesOf(dir), (QStringList{"list.txt", "other.txt"}));

    // A write that fails part-way (a full disk) puts the earlier content back.
    const QByteArray before = fileBytes(path);
    {
        testing_support::FileSizeLimit limit(4096);
        EXPECT_EQ(reasonOf([&] { writeFileAtomic(path, QByteArray(10000, 'x')); }), std::strerror(EFBIG));
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(fileBytes(dir.filePath("other.txt")), before);
    EXPECT_EQ(entriesOf(dir), (QStringList{"list.txt", "other.txt"}));

    if (::geteuid() != 0)
        GTEST_SKIP() << "files of another user need root";
    // Root's files, written by another user: in a folder open to all, and in
    // a sticky one.
    const QString shared = dir.filePath("shared");
    const QString sticky = dir.filePath("sticky");
    for (const auto& [folder, mode] : {std::pair{shared, 0777}, std::pair{sticky, 01777}}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), mode_t(mode)), 0);
        writeBytes(folder + "/list.txt", "root's list");
        ASSERT_EQ(::chmod(QFile::encodeName(folder + "/list.txt").constData(), 0666), 0);
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const int code = testing_support::exitCodeAsNobody([&] {
        if (reasonOf([&] { writeFileAtomic(shared + "/list.txt", "member's list"); }) != "no failure")
            return 1;
        if (reasonOf([&] { writeFileAtomic(sticky + "/list.txt", "member's list"); }) != "no failure")
            return 2;
        return 0;
    });
    if (code == -1)
        GTEST_SKIP() << "no child process as another user";
    EXPECT_EQ(code, 0);
    for (const QString& folder : {shared, sticky}) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_EQ(fileBytes(folder + "/list.txt"), "member's list");
        EXPECT_EQ(statusOf(folder + "/list.txt").st_uid, uid_t(0));
        EXPECT_EQ(statusOf(folder + "/list.txt").st_mode & 07777, mode_t(0666));
        EXPECT_EQ(entriesOf(folder), QStringList{"list.txt"});
    }
}
