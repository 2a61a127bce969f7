#include "compdraw/entrant_list.h"
#include "compdraw/list_entry.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace compdraw;

using testing_support::u8;
using testing_support::writeBytes;

namespace {


Uniform seeded(unsigned seed)
{
    auto rng = std::make_shared<std::mt19937>(seed);
    return [rng] { return std::uniform_real_distribution<double>(0.0, 1.0)(*rng); };
}

Uniform scripted(std::vector<double> values)
{
    auto at = std::make_shared<size_t>(0);
    return [values, at] { return values[(*at)++ % values.size()]; };
}

}  // namespace

TEST(EntrantList, ReelCharactersOfNames)
{
    const EntrantList list = readEntrants({u8("甲乙丙"), u8("丁戊"), u8("己庚辛壬")});
    ASSERT_TRUE(list.complete);
    EXPECT_EQ(list.nameList, QStringList({u8("甲乙丙"), u8("丁戊"), u8("己庚辛壬")}));
    EXPECT_EQ(list.reelChars[0], QStringList({u8("甲"), u8("丁"), u8("己")}));
    EXPECT_EQ(list.reelChars[1], QStringList({u8("乙"), QString(), u8("庚")}));
    EXPECT_EQ(list.reelChars[2], QStringList({u8("丙"), u8("戊"), u8("壬")}));
    EXPECT_EQ(reelCharAt(list, 1, 3), QString());  // the empty slot
    // A character outside the basic plane stays whole.
    EXPECT_EQ(reelCharsOf(u8("甲😀")), (std::array<QString, 3>{u8("甲"), QString(), u8("😀")}));
}

TEST(EntrantList, LineRules)
{
    EXPECT_EQ(nameOfLine(u8("Jia Yi(甲乙)+M+2010XXXX01")), u8("甲乙"));
    EXPECT_EQ(nameOfLine(u8("(甲乙)")), u8("甲乙"));
    EXPECT_EQ(nameOfLine(u8("丙丁()")), QString());
    EXPECT_EQ(nameOfLine(u8("甲乙+M")), u8("甲乙+M"));
    EXPECT_EQ(nameOfLine(u8("甲\u3000乙 丙\t")), u8("甲\u3000乙丙\t"));  // only U+0020 goes
    EXPECT_FALSE(nameOfLine(u8("戊(己")));
    EXPECT_FALSE(nameOfLine(u8("戊)己(")));

    const EntrantList list = readEntrants({u8("甲乙"), u8("   "), u8(" 丙 "), u8("丙丁()"), u8("(丁戊)"),
                                           u8("戊(己"), u8("庚辛")});
    EXPECT_EQ(list.nameList, QStringList({u8("甲乙"), u8("丁戊")}));
    EXPECT_FALSE(list.complete);
    EXPECT_TRUE(list.reelChars[0].isEmpty());
    EXPECT_EQ(reelCharAt(list, 0, 0), QString());
}

TEST(EntrantList, ThousandNamesAtMost)
{
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines << QStringLiteral("n%1").arg(i);
    EXPECT_TRUE(readEntrants(lines).complete);
    lines << QStringLiteral("late");
    const EntrantList list = readEntrants(lines);
    EXPECT_EQ(list.nameList.size(), 1000);
    EXPECT_FALSE(list.complete);
    EXPECT_EQ(drawIndex(0.9999, 1000), 1000);  // the empty slot
    EXPECT_EQ(drawIndex(0.0005, 1000), 0);     // half rounds to even
    EXPECT_EQ(drawIndex(0.0015, 1000), 2);
}

TEST(ListFile, FoundWhateverTheCaseAndReadAsGbkUnlessMarkedUtf8)
{
    QTemporaryDir dir;
    EXPECT_THROW(readListFile(dir.path()), platform::TextFileError);
    writeListFile(dir.path(), {ListEntry{u8("张三"), true, true, QStringLiteral("2009ABCD01")},
                               ListEntry{u8("李四"), false, false, {}}, ListEntry{u8("王五"), true, true, {}}});
    EXPECT_EQ(testing_support::fileBytes(dir.filePath("list.txt")),
              platform::encodeAnsi(u8("张三+M+2009ABCD01\r\n李四+F\r\n王五+M+\r\n")));
    EXPECT_EQ(readListFile(dir.path()), QStringList({u8("张三+M+2009ABCD01"), u8("李四+F"), u8("王五+M+")}));

    QFile::remove(dir.filePath("list.txt"));
    // GBK names whose bytes are also valid UTF-8 read as GBK.
    writeBytes(dir.filePath("LIST.TXT"), platform::encodeAnsi(u8("郑伟+M\r\n谢强+M\r\n肖英+F\r\n袁平+F\r\n")));
    EXPECT_EQ(readListFile(dir.path()), QStringList({u8("郑伟+M"), u8("谢强+M"), u8("肖英+F"), u8("袁平+F")}));
    // UTF-8 only behind its byte-order mark.
    writeBytes(dir.filePath("LIST.TXT"), "\xEF\xBB\xBF" + u8("王五+M\n赵六+F").toUtf8());
    EXPECT_EQ(readListFile(dir.path()), QStringList({u8("王五+M"), u8("赵六+F")}));
}

TEST(WinnerPick, SeededDraws)
{
    const QString none = QStringLiteral("\r\n");
    Uniform u = seeded(7);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(pickWinner({u8("甲乙")}, none, u), u8("甲乙"));

    int first = 0;
    const int runs = 30000;
    for (int i = 0; i < runs; ++i)
        first += pickWinner({u8("甲乙"), u8("丙丁")}, none, u) == u8("甲乙");
    EXPECT_NEAR(double(first) / runs, 1.0 / 3.0, 0.02);

    // The empty slot (u = 0.9 gives index 1 of 1) is drawn again.
    EXPECT_EQ(pickWinner({u8("甲乙")}, none, scripted({0.9, 0.9, 0.1})), u8("甲乙"));
    EXPECT_FALSE(pickWinner({}, none, u));

    // A drawn name is drawn again, but wins once 1000 tries are used up.
    const QString drawn = QStringLiteral("\r\n") + u8("甲乙") + QStringLiteral("\r\n");
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(pickWinner({u8("甲乙"), u8("丙丁")}, drawn, u), u8("丙丁"));
    EXPECT_EQ(pickWinner({u8("甲乙")}, drawn, u), u8("甲乙"));
}
