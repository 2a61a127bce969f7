#include "platform/program_folder.h"
#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;
using testing_support::fileBytes;
using testing_support::u8;

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
    EXPECT_EQ(decodeAnsiUnlessUtf8Bom("\xEF\xBB\xBF\xE9\xAD\x94"), QString::fromUtf8("魔"));
    EXPECT_EQ(decodeAnsiUnlessUtf8Bom("\xC4\xA7\xB7\xBD"), QString::fromUtf8("魔方"));
    // 郑伟 in GBK is also valid UTF-8 (two Cyrillic letters); without a mark it is GBK.
    EXPECT_EQ(decodeAnsiUnlessUtf8Bom(encodeAnsi(u8("郑伟"))), u8("郑伟"));
    EXPECT_EQ(decodeAnsi("a\xFF" "b"), QString::fromUtf8("a\xEF\xBF\xBD" "b"));
    // A lead byte without its trail byte: one replacement, then the next byte.
    EXPECT_EQ(decodeAnsi("\xC4" "0\xC4"), u8("\xEF\xBF\xBD" "0\xEF\xBF\xBD"));
    EXPECT_EQ(decodeUtf16WithBom(QByteArray("\xFF\xFE\x54\x9B\xB9\x65", 6)), u8("魔方"));
    EXPECT_EQ(decodeUtf16WithBom(QByteArray("\xFE\xFF\x9B\x54\x00\x41", 6)), u8("魔A"));
    EXPECT_FALSE(decodeUtf16WithBom("\xC4\xA7"));
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

TEST(TextFile, UnencodableCharactersAreNamedWholeOrWrittenAsQuestionMarks)
{
    EXPECT_EQ(encodeAnsiReplacing(u8("Łukasz 김민준•李😀")), QByteArray("?ukasz ???") + "?" + encodeAnsi(u8("李")) + "?");
    // Characters across the windows the conversion works in.
    EXPECT_EQ(encodeAnsiReplacing("a" + u8("魔").repeated(32766) + u8("😀") + "b"),
              "a" + encodeAnsi(u8("魔")).repeated(32766) + "?b");
    EXPECT_EQ(decodeAnsi("a" + encodeAnsi(u8("魔")).repeated(40000)), "a" + u8("魔").repeated(40000));
    // A lone surrogate is one character too.
    EXPECT_EQ(encodeAnsiReplacing(QString(QChar(0xD800)) + "a"), QByteArray("?a"));
    try {
        encodeAnsi(u8("E😀"));
        FAIL() << "no error";
    } catch (const TextFileError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), u8("字符“😀”无法以GBK编码保存"));
    }
}

// Random bytes of every kind: each byte that starts no GBK character gives
// exactly one replacement and every character around it survives, so
// walking the result re-creates the input at every valid position.
TEST(TextFile, GbkDecodingOfRandomBytesIsOnePass)
{
    QRandomGenerator random(17);
    QByteArray bytes(4 * 1024 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    const QString text = decodeAnsi(bytes);

    std::vector<QByteArray> encoded(0x10000);
    qsizetype at = 0;
    qsizetype replacements = 0;
    for (const QChar c : text) {
        ASSERT_LT(at, bytes.size());
        if (c.unicode() == 0xFFFD) {
            ++replacements;
            ASSERT_GE(uchar(bytes[at]), 0x80) << "an ASCII byte was replaced at " << at;
            ++at;
            continue;
        }
        QByteArray& gbk = encoded[c.unicode()];
        if (gbk.isEmpty())
            gbk = encodeAnsi(QString(c));
        ASSERT_TRUE(at + gbk.size() <= bytes.size() && std::memcmp(bytes.constData() + at, gbk.constData(), size_t(gbk.size())) == 0)
            << "at " << at;
        at += gbk.size();
    }
    EXPECT_EQ(at, bytes.size());
    EXPECT_GT(replacements, bytes.size() / 50);

    // Chinese text with a bad byte between every two characters keeps all.
    const QString names = u8("郑伟谢强肖英袁平魔方");
    QByteArray round;
    QString expectedRound;
    for (const QChar c : names) {
        round += encodeAnsi(QString(c)) + "\xFF";
        expectedRound += c;
        expectedRound += QChar(0xFFFD);
    }
    const QByteArray mixed = round.repeated(10000);
    const QString expected = expectedRound.repeated(10000);
    EXPECT_EQ(decodeAnsi(mixed), expected);
}
