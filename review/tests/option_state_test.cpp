#include "review/option_state.h"

#include "platform/testing/as_nobody.h"
#include "platform/testing/file_kinds.h"
#include "platform/testing/file_size_limit.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace review;
using testing_support::fileBytes;
using testing_support::kindOf;
using testing_support::linkText;
using testing_support::makeDeviceOrFifo;
using testing_support::makeLink;

using testing_support::u8;
using testing_support::writeBytes;

namespace {



// The bytes of a file holding the default options with line 7 replaced.
QByteArray defaultsWithLine7(const QByteArray& line7)
{
    QStringList lines = optionStateLines(defaultOptions());
    QByteArray bytes;
    for (int i = 0; i < lines.size(); ++i)
        bytes += (i == 6 ? line7 : lines[i].toLatin1()) + "\r\n";
    return bytes;
}

}  // namespace

TEST(OptionState, DefaultFileBytes)
{
    QTemporaryDir dir;
    OptionValues v = defaultOptions();
    v.texts[0] = u8("X");
    saveOptionState(dir.path(), u8("X"), v);
    QByteArray expected = "X\r\n\r\n\r\n\r\n\r\n200\r\n";
    for (int i = 0; i < 36; ++i)
        expected += "0\r\n";
    const int checks[45] = {0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};
    for (int c : checks)
        expected += QByteArray::number(c) + "\r\n";
    EXPECT_EQ(fileBytes(dir.filePath("X.txt")), expected);

    // An empty name names ".txt".
    saveOptionState(dir.path(), QString(), v);
    EXPECT_EQ(fileBytes(dir.filePath(".txt")), expected);
}

TEST(OptionState, SaveThenReadRestoresEveryOption)
{
    QTemporaryDir dir;
    OptionValues v = defaultOptions();
    v.texts = {u8("魔方"), u8("神"), u8("品牌"), u8("56mm"), u8("80 g"), u8("300")};
    for (int i = 0; i < kListCount; ++i)
        v.lists[i] = int16_t(int(kListItems[i].size()) - 1 - i % 2);
    v.lists[5] = -1;
    for (int i = 0; i < kCheckCount; ++i)
        v.checks[i] = int16_t((i * 7) % 3);
    saveOptionState(dir.path(), v.texts[0], v);
    const OptionStateRead read = readOptionState(dir.path(), v.texts[0], defaultOptions());
    EXPECT_EQ(read.error, QString());
    EXPECT_EQ(read.optionsRead, kOptionCount);
    EXPECT_TRUE(read.values == v);
    EXPECT_EQ(platform::readAnsiLines(dir.filePath(u8("魔方.txt")))[0], u8("魔方"));
}

TEST(OptionState, ReadRoundsHalfEvenAndStopsAtTheFirstBadLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.txt");
    for (const char* half : {"1.5", "2.5", " 2.4abc"}) {
        writeBytes(path, defaultsWithLine7(half));
        const OptionStateRead read = readOptionState(dir.path(), "c", defaultOptions());
        EXPECT_EQ(read.error, QString()) << half;
        EXPECT_EQ(read.values.lists[0], 2) << half;
    }

    OptionValues current = defaultOptions();
    current.texts[0] = u8("c");
    current.lists[0] = 1;
    current.checks[0] = 1;
    for (const char* bad : {"3", "-2", "70000"}) {
        writeBytes(path, "n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n" + QByteArray(bad) + "\r\n0\r\n");
        const OptionStateRead read = readOptionState(dir.path(), "c", current);
        EXPECT_EQ(read.optionsRead, 6) << bad;
        EXPECT_FALSE(read.error.isEmpty()) << bad;
        EXPECT_EQ(read.values.texts[0], "n");
        EXPECT_EQ(read.values.texts[5], "5");
        EXPECT_EQ(read.values.lists[0], 1);  // unchanged from here on
        EXPECT_EQ(read.values.checks[0], 1);
    }

    // A check value outside 0..2 stops at its line.
    QStringList lines = optionStateLines(defaultOptions());
    lines[42 + 7] = "3";
    platform::writeAnsiLines(path, lines);
    EXPECT_EQ(readOptionState(dir.path(), "c", current).optionsRead, 49);

    // A short file reads what it has, then fails.
    writeBytes(path, defaultsWithLine7("1").left(60));
    const OptionStateRead shortRead = readOptionState(dir.path(), "c", current);
    EXPECT_FALSE(shortRead.error.isEmpty());
    EXPECT_GT(shortRead.optionsRead, 6);
    EXPECT_LT(shortRead.optionsRead, kOptionCount);
    EXPECT_EQ(shortRead.values.lists[0], 1);

    // A missing file fails before anything is read.
    const OptionStateRead missing = readOptionState(dir.path(), "none", current);
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_EQ(missing.optionsRead, 0);
}

TEST(OptionState, NamesStayInsideTheFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("prog");
    ASSERT_TRUE(QDir().mkpath(folder + "/sub"));
    const OptionValues v = defaultOptions();
    for (const char* name : {"..\\evil", "../evil", "sub/../../evil", "/tmp/evil", "a\tb", "a\nb"}) {
        EXPECT_THROW(saveOptionState(folder, u8(name), v), OptionStateError) << name;
        EXPECT_FALSE(readOptionState(folder, u8(name), v).error.isEmpty()) << name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 0);

    saveOptionState(folder, u8("sub\\c"), v);
    EXPECT_TRUE(QFile::exists(folder + "/sub/c.txt"));
    EXPECT_EQ(readOptionState(folder, u8("sub/c"), v).error, QString());
    EXPECT_THROW(saveOptionState(folder, u8("nosuch\\c"), v), OptionStateError);
}

TEST(OptionState, FailedSaveKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    OptionValues v = defaultOptions();
    saveOptionState(dir.path(), "c", v);
    const QByteArray before = fileBytes(dir.filePath("c.txt"));
    v.texts[1] = u8("神\xF0\x9F\x98\x80");  // an emoji: no GBK character
    try {
        saveOptionState(dir.path(), "c", v);
        ADD_FAILURE() << "saved a character GBK cannot hold";
    } catch (const OptionStateError& e) {
        EXPECT_FALSE(QString::fromUtf8(e.what()).isEmpty());
    }
    EXPECT_EQ(fileBytes(dir.filePath("c.txt")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(OptionState, NumbersIgnoreBlanksAnywhereAndOverflowBeyond16Bits)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.txt");
    const struct {
        const char* line;
        int16_t index;  // -2: the read ends at this line
    } cases[] = {{"1e400", -2}, {"- 1", -1}, {"1 2", -2}, {"40000", -2}, {"-1e400", -2}, {" 1 .5", 2}, {"\t2", 2}};
    for (const auto& c : cases) {
        writeBytes(path, defaultsWithLine7(c.line));
        const OptionStateRead read = readOptionState(dir.path(), "c", defaultOptions());
        if (c.index == -2) {
            EXPECT_EQ(read.optionsRead, 6) << c.line;
            // 12 lies beyond the list's items.
            EXPECT_EQ(read.error, QByteArray(c.line) == "1 2" ? u8("无效的属性值") : u8("溢出")) << c.line;
        } else {
            EXPECT_EQ(read.error, QString()) << c.line;
            EXPECT_EQ(read.values.lists[0], c.index) << c.line;
        }
    }
    // "1 2" reads as 12: a check box takes no 12 either, a text line reads it whole.
    QStringList lines = optionStateLines(defaultOptions());
    lines[42] = "1 2";
    platform::writeAnsiLines(path, lines);
    EXPECT_EQ(readOptionState(dir.path(), "c", defaultOptions()).error, u8("无效的属性值"));
    lines[42] = "0 0 1";
    platform::writeAnsiLines(path, lines);
    const OptionStateRead read = readOptionState(dir.path(), "c", defaultOptions());
    EXPECT_EQ(read.error, QString());
    EXPECT_EQ(read.values.checks[0], 1);
}

TEST(OptionState, ReadFindsTheFileWhateverItsCaseAndKeepsLongTexts)
{
    QTemporaryDir dir;
    OptionValues v = defaultOptions();
    v.texts[0] = u8("Cube");
    v.texts[4] = QString(40000, u'重');
    saveOptionState(dir.path(), u8("Cube"), v);
    ASSERT_TRUE(QFile::rename(dir.filePath("Cube.txt"), dir.filePath("CUBE.TXT")));
    const OptionStateRead read = readOptionState(dir.path(), u8("cube"), defaultOptions());
    EXPECT_EQ(read.error, QString());
    EXPECT_TRUE(read.values == v);
}

TEST(OptionState, SavesThatFailKeepTheEarlierFileAndNameTheReason)
{
    QTemporaryDir dir;
    OptionValues v = defaultOptions();
    v.texts[1] = QString(3000, u'长');
    saveOptionState(dir.path(), "c", v);
    const QByteArray before = fileBytes(dir.filePath("c.txt"));
    ASSERT_GT(before.size(), 6000);
    v.texts[1] = QString(6000, u'新');
    try {
        testing_support::FileSizeLimit limit(4096);
        saveOptionState(dir.path(), "c", v);
        ADD_FAILURE() << "saved past the file-size limit";
    } catch (const OptionStateError& e) {
        EXPECT_EQ(std::string(e.what()), std::strerror(EFBIG));
    }
    EXPECT_EQ(fileBytes(dir.filePath("c.txt")), before);
    platform::failNextCommitForTesting(ENOSPC);
    EXPECT_THROW(saveOptionState(dir.path(), "c", v), OptionStateError);
    EXPECT_EQ(fileBytes(dir.filePath("c.txt")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"c.txt"});

    // The message names the whole character, also beyond the basic plane.
    v.texts[1] = u8("E😀");
    try {
        saveOptionState(dir.path(), "c", v);
        ADD_FAILURE() << "saved a character GBK cannot hold";
    } catch (const OptionStateError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), u8("字符“😀”无法以GBK编码保存"));
    }
}

TEST(OptionState, LinksLeadingOutOfTheFolderAreRefusedAndLinksInsideWork)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("prog");
    const QString outside = dir.filePath("outside");
    ASSERT_TRUE(QDir().mkpath(folder + "/sub"));
    ASSERT_TRUE(QDir().mkpath(outside));
    writeBytes(outside + "/file.txt", "outside");
    ASSERT_TRUE(makeLink(QFile::encodeName(outside), folder + "/linked"));
    ASSERT_TRUE(makeLink(QFile::encodeName(outside + "/file.txt"), folder + "/lk.txt"));
    ASSERT_TRUE(makeLink("../outside/new.txt", folder + "/dl.txt"));  // dangling, names a file outside
    ASSERT_TRUE(makeLink("lk.txt", folder + "/lk2.txt"));
    const OptionValues v = defaultOptions();
    for (const char* name : {"linked/c", "linked\\c", "lk", "dl", "lk2", "sub/../lk"}) {
        try {
            saveOptionState(folder, u8(name), v);
            ADD_FAILURE() << "saved outside the folder: " << name;
        } catch (const OptionStateError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), u8("路径/文件访问错误")) << name;
        }
        EXPECT_EQ(readOptionState(folder, u8(name), v).error, u8("路径/文件访问错误")) << name;
    }
    // Found whatever its letter case, the linked file is still outside.
    EXPECT_EQ(readOptionState(folder, u8("LK"), v).error, u8("路径/文件访问错误"));
    EXPECT_EQ(QDir(outside).entryList(QDir::Files | QDir::Hidden), QStringList{"file.txt"});
    EXPECT_EQ(fileBytes(outside + "/file.txt"), "outside");
    EXPECT_EQ(kindOf(folder + "/lk.txt"), mode_t(S_IFLNK));

    // Links inside the folder to files inside it, and a program folder that
    // is itself reached through a link.
    ASSERT_TRUE(makeLink("sub", folder + "/alias"));
    ASSERT_TRUE(makeLink("sub/c.txt", folder + "/in.txt"));
    ASSERT_TRUE(makeLink(QFile::encodeName(folder), dir.filePath("proglink")));
    OptionValues w = v;
    w.texts[1] = u8("链接");
    saveOptionState(folder, u8("alias/c"), w);
    EXPECT_TRUE(readOptionState(folder, u8("sub/c"), v).values == w);
    w.texts[1] = u8("再存");
    saveOptionState(folder, u8("in"), w);
    EXPECT_EQ(linkText(folder + "/in.txt"), "sub/c.txt");
    EXPECT_TRUE(readOptionState(folder, u8("in"), v).values == w);
    saveOptionState(dir.filePath("proglink"), u8("sub/c"), v);
    EXPECT_TRUE(readOptionState(folder, u8("alias/c"), w).values == v);

    // Links that cannot be followed fail the save with the system's reason.
    ASSERT_TRUE(makeLink("loop.txt", folder + "/loop.txt"));
    try {
        saveOptionState(folder, u8("loop"), v);
        ADD_FAILURE() << "saved through a loop";
    } catch (const OptionStateError& e) {
        EXPECT_EQ(std::string(e.what()), std::strerror(ELOOP));
    }
    // A file where a folder should be: no such path.
    try {
        saveOptionState(folder, u8("in.txt/c"), v);
        ADD_FAILURE() << "saved below a file";
    } catch (const OptionStateError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), u8("路径未找到"));
    }
}

TEST(OptionState, DevicesChainsAndLongNamesThroughTheSave)
{
    QTemporaryDir dir;
    const mode_t deviceKind = makeDeviceOrFifo(dir.filePath("dev"));
    ASSERT_NE(deviceKind, 0u);
    ASSERT_TRUE(makeLink("dev", dir.filePath("z.txt")));
    OptionValues v = defaultOptions();
    try {
        saveOptionState(dir.path(), "z", v);
        ADD_FAILURE() << "saved over a device";
    } catch (const OptionStateError& e) {
        EXPECT_EQ(std::string(e.what()), std::strerror(EPERM));
    }
    EXPECT_EQ(kindOf(dir.filePath("dev")), deviceKind);
    EXPECT_EQ(kindOf(dir.filePath("z.txt")), mode_t(S_IFLNK));

    // Both links of a chain stay links.
    saveOptionState(dir.path(), "file", v);
    ASSERT_TRUE(makeLink("file.txt", dir.filePath("x.txt")));
    ASSERT_TRUE(makeLink("x.txt", dir.filePath("chain.txt")));
    v.texts[2] = u8("链");
    saveOptionState(dir.path(), "chain", v);
    EXPECT_EQ(linkText(dir.filePath("chain.txt")), "x.txt");
    EXPECT_EQ(linkText(dir.filePath("x.txt")), "file.txt");
    EXPECT_TRUE(readOptionState(dir.path(), "file", defaultOptions()).values == v);

    // The longest names a file may have save and read back.
    for (const QString& name : {QString(248, u'a'), u8("中").repeated(83)}) {
        v.texts[0] = name;
        EXPECT_NO_THROW(saveOptionState(dir.path(), name, v));
        const OptionStateRead read = readOptionState(dir.path(), name, defaultOptions());
        EXPECT_EQ(read.error, QString());
        EXPECT_TRUE(read.values == v);
    }
}

// Permissions bite only for a user other than root: the save runs in a
// child process as the user "nobody".
TEST(OptionState, ReadOnlyFileIsNotReplaced)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("prog");
    ASSERT_TRUE(QDir().mkpath(folder));
    const OptionValues v = defaultOptions();
    saveOptionState(folder, "ro", v);
    const QByteArray before = fileBytes(folder + "/ro.txt");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (!testing_support::giveToChild(folder) || !testing_support::giveToChild(folder + "/ro.txt"))
        GTEST_SKIP() << "no user to run the case as";
    ::chmod(QFile::encodeName(folder + "/ro.txt").constData(), 0444);
    const int code = testing_support::exitCodeAsNobody([&] {
        OptionValues changed = v;
        changed.texts[1] = u8("新");
        try {
            saveOptionState(folder, "ro", changed);
        } catch (const OptionStateError& e) {
            return std::string(e.what()) == std::strerror(EACCES) ? 0 : 2;
        }
        return 1;
    });
    if (code == -1)
        GTEST_SKIP() << "no child process as another user";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(fileBytes(folder + "/ro.txt"), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"ro.txt"});
}

// One cube, one file, whatever the letter case of its name.
TEST(OptionState, NamesDifferingInLetterCaseShareOneFile)
{
    QTemporaryDir dir;
    OptionValues first = defaultOptions();
    first.texts[0] = u8("pq");
    OptionValues last = first;
    last.texts[1] = u8("最后一次");
    saveOptionState(dir.path(), u8("pq"), first);
    saveOptionState(dir.path(), u8("PQ"), last);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pq.txt"});
    EXPECT_TRUE(readOptionState(dir.path(), u8("pq"), defaultOptions()).values == last);
    EXPECT_TRUE(readOptionState(dir.path(), u8("Pq"), defaultOptions()).values == last);

    // Where both names exist, each reads its own.
    writeBytes(dir.filePath("PQ.txt"), QByteArray(optionStateLines(first).join("\r\n").toUtf8() + "\r\n"));
    EXPECT_TRUE(readOptionState(dir.path(), u8("PQ"), defaultOptions()).values == first);
    EXPECT_TRUE(readOptionState(dir.path(), u8("pq"), defaultOptions()).values == last);
}

// An option file that is a FIFO or a link to an endless device ends the read
// at once with the system's reason.
TEST(OptionState, SpecialFilesAreRefusedOnRead)
{
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.txt")).constData(), 0666), 0);
    ASSERT_TRUE(makeLink("/dev/zero", dir.filePath("zero.txt")));
    for (const char* name : {"fifo", "zero"}) {
        const OptionStateRead read = readOptionState(dir.path(), u8(name), defaultOptions());
        EXPECT_EQ(read.optionsRead, 0) << name;
        EXPECT_FALSE(read.error.isEmpty()) << name;
    }
    EXPECT_EQ(readOptionState(dir.path(), u8("fifo"), defaultOptions()).error, QString::fromLocal8Bit(std::strerror(EPERM)));
}

// A thread swaps the target file, and a sub-folder on its way, between a real
// entry and a link leading outside while saves run: nothing outside changes
// and no temporary file appears there.
TEST(OptionState, SwappedLinksDuringSavesNeverLeadOutside)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("prog");
    const QString outside = dir.filePath("outside");
    ASSERT_TRUE(QDir().mkpath(folder + "/sub"));
    ASSERT_TRUE(QDir().mkpath(outside));
    writeBytes(outside + "/c.txt", "outside");
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(outside + "/c.txt").constData(), &before), 0);
    writeBytes(folder + "/sub/c.txt", "inside");

    const QByteArray target = QFile::encodeName(folder + "/c.txt");
    const QByteArray sub = QFile::encodeName(folder + "/sub");
    const QByteArray parked = QFile::encodeName(folder + "/parked");
    const QByteArray outsideFile = QFile::encodeName(outside + "/c.txt");
    const QByteArray outsideFolder = QFile::encodeName(outside);
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        while (!stop) {
            // The file: a link outside, then a real file.
            ::unlink(target.constData());
            ::symlink(outsideFile.constData(), target.constData());
            ::unlink(target.constData());
            // The sub-folder: moved aside for a link outside, then back.
            ::rename(sub.constData(), parked.constData());
            ::symlink(outsideFolder.constData(), sub.constData());
            ::unlink(sub.constData());
            ::rename(parked.constData(), sub.constData());
        }
    });
    OptionValues v = defaultOptions();
    for (int i = 0; i < 3000; ++i) {
        v.texts[1] = QString::number(i);
        try {
            saveOptionState(folder, u8(i % 2 ? "c" : "sub/c"), v);
        } catch (const OptionStateError&) {
            // Refused or failed while a link stood there: nothing outside.
        }
    }
    stop = true;
    swapper.join();
    struct stat after {};
    ASSERT_EQ(::stat(outsideFile.constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(fileBytes(outside + "/c.txt"), "outside");
    EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"c.txt"});
}
