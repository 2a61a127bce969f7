// The program folder under a name in GBK bytes, as a folder unpacked from a
// zip made on a Chinese Windows desktop is named.
#include "platform/program_folder.h"
#include "platform/testing/gbk_folder_run.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

using namespace platform;
using namespace testing_support;

// Run by the test below in a copy of this program inside the GBK-named
// folder: reads cubing.txt and writes what it read to probe.txt, both
// through the program folder.
TEST(ProgramFolder, ProbeInsideItsOwnFolder)
{
    if (!isFolderProbe())
        GTEST_SKIP() << "run only as a copy in a folder of its own";
    const QString folder = programFolder();
    const QStringList lines = readAnsiLines(fileInFolder(folder, "cubing.txt"));
    writeAnsiLines(fileInFolder(folder, "probe.txt"), lines);
}

TEST(ProgramFolder, AFolderNamedInGbkBytesHoldsEveryFile)
{
    GbkFolderRun run;
    const QByteArray& folder = run.folder;
    run.put("cubing.txt", encodeAnsi(u8("郑伟+M")), "other folder");
    writeAt(run.elsewhere + "/probe.txt", "other probe");

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
    const auto elsewhere = filesAt(run.elsewhere);
    EXPECT_TRUE(run.runProbe("ProgramFolder.ProbeInsideItsOwnFolder"));
    EXPECT_EQ(bytesAt(folder + "/probe.txt"), encodeAnsi(u8("郑伟+M")) + "\r\n");
    EXPECT_EQ(filesAt(run.elsewhere), elsewhere);
}
