#include "platform/program_folder.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace platform;

TEST(TextFile, GbkRoundTripWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    writeAnsiLines(path, {QString::fromUtf8("魔方Ｒ"), "", "x"});
    EXPECT_EQ(testing_support::fileBytes(path), QByteArray("\xC4\xA7\xB7\xBD\xA3\xD2\r\n\r\nx\r\n"));
    EXPECT_EQ(readAnsiLines(path), (QStringList{QString::fromUtf8("魔方Ｒ"), "", "x"}));
}

TEST(TextFile, UnencodableTextIsReportedAndLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    writeAnsiLines(path, {"old"});
    EXPECT_THROW(writeAnsiLines(path, {"ok", QString::fromUtf8("\xF0\x9F\x98\x80")}), TextFileError);
    EXPECT_EQ(readAnsiLines(path), QStringList{"old"});
    EXPECT_THROW(writeAnsiLines(dir.filePath("no/such/folder.txt"), {"x"}), TextFileError);
    EXPECT_THROW(readAnsiLines(dir.filePath("missing.txt")), TextFileError);
}

TEST(TextFile, DecodingAndLineSplitting)
{
    EXPECT_EQ(decodeUtf8OrAnsi("\xEF\xBB\xBF\xE9\xAD\x94"), QString::fromUtf8("魔"));
    EXPECT_EQ(decodeUtf8OrAnsi("\xC4\xA7\xB7\xBD"), QString::fromUtf8("魔方"));
    EXPECT_EQ(decodeAnsi("a\xFF" "b"), QString::fromUtf8("a\xEF\xBF\xBD" "b"));
    EXPECT_EQ(splitLines("a\r\nb\nc\rd\r\n"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (QStringList{"a", ""}));
}

TEST(ProgramFolder, NamesStayInsideTheFolder)
{
    QTemporaryDir dir;
    const QString base = QDir(dir.path()).absolutePath();
    EXPECT_EQ(fileInFolder(base, "sub\\cube.txt"), base + "/sub/cube.txt");
    EXPECT_EQ(fileInFolder(base, "\\DATA\\x.jpg"), base + "/DATA/x.jpg");
    EXPECT_TRUE(fileInFolder(base, "../evil.txt").isEmpty());
    EXPECT_TRUE(fileInFolder(base, "a/../../evil.txt").isEmpty());
    EXPECT_TRUE(fileInFolder(base, "C:\\x.txt").isEmpty());
    EXPECT_TRUE(fileInFolder(base, "").isEmpty());
    QFile f(base + "/list.txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(findFileNoCase(base, "LIST.TXT"), base + "/list.txt");
}
