// The program folder under a name in GBK bytes, as a folder unpacked from a
// zip made on a Chinese Windows desktop is named.
#include "platform/program_folder.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testing_support::u8;

namespace {

// "魔方" in GBK: no UTF-8.
const QByteArray kGbkName = "\xC4\xA7\xB7\xBD";

// Bytes of a file named by bytes; empty when it cannot be read.
QByteArray bytesAt(const QByteArray& path)
{
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return file.readAll();
}

bool writeAt(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool whole = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && whole;
}

}  // namespace

// Run by the test below in a copy of this program inside the GBK-named
// folder: reads cubing.txt and writes what it read to probe.txt, both
// through the program folder.
TEST(ProgramFolder, ProbeInsideItsOwnFolder)
{
    if (qEnvironmentVariableIsEmpty("SUITE_FOLDER_PROBE"))
        GTEST_SKIP() << "run only as a copy in a folder of its own";
    const QString folder = programFolder();
    const QStringList lines = readAnsiLines(fileInFolder(folder, "cubing.txt"));
    writeAnsiLines(fileInFolder(folder, "probe.txt"), lines);
}

TEST(ProgramFolder, AFolderNamedInGbkBytesHoldsEveryFile)
{
    QTemporaryDir dir;
    const QByteArray base = QFile::encodeName(dir.path());
    const QByteArray folder = base + '/' + kGbkName;
    const QByteArray elsewhere = base + "/elsewhere";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    ASSERT_EQ(::mkdir(elsewhere.constData(), 0755), 0);
    ASSERT_TRUE(writeAt(folder + "/cubing.txt", encodeAnsi(u8("郑伟+M"))));
    ASSERT_TRUE(writeAt(elsewhere + "/cubing.txt", "other folder"));
    ASSERT_TRUE(writeAt(elsewhere + "/probe.txt", "other probe"));

    // Reached through the handle, as a program finds its folder.
    const QString handle = folderHandlePath(folder + "/program");
    ASSERT_FALSE(handle.isEmpty());
    writeAnsiLines(fileInFolder(handle, u8("名单.txt")), {u8("王芳+F")});
    EXPECT_EQ(bytesAt(folder + '/' + u8("名单.txt").toUtf8()), encodeAnsi(u8("王芳+F")) + "\r\n");
    EXPECT_EQ(readAnsiLines(fileInFolder(handle, "cubing.txt")), QStringList{u8("郑伟+M")});

    // Started inside the folder: names relative to it reach it as well.
    const int saved = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::chdir(folder.constData()), 0);
    writeAnsiLines("here.txt", {u8("张三+M")});
    const QStringList here = readAnsiLines("here.txt");
    ASSERT_EQ(::fchdir(saved), 0);
    ::close(saved);
    EXPECT_EQ(here, QStringList{u8("张三+M")});
    EXPECT_EQ(bytesAt(folder + "/here.txt"), encodeAnsi(u8("张三+M")) + "\r\n");

    // A copy of this program inside the folder, started from another one.
    const QByteArray copy = folder + "/program";
    ASSERT_TRUE(writeAt(copy, bytesAt("/proc/self/exe")));
    ASSERT_EQ(::chmod(copy.constData(), 0755), 0);
    QProcess run;
    run.setWorkingDirectory(QFile::decodeName(elsewhere));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SUITE_FOLDER_PROBE", "1");
    run.setProcessEnvironment(environment);
    run.start(handle + "/program", {"--gtest_filter=ProgramFolder.ProbeInsideItsOwnFolder"});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
    EXPECT_EQ(bytesAt(folder + "/probe.txt"), encodeAnsi(u8("郑伟+M")) + "\r\n");
    EXPECT_EQ(bytesAt(elsewhere + "/probe.txt"), "other probe");
    EXPECT_EQ(bytesAt(elsewhere + "/cubing.txt"), "other folder");
}
