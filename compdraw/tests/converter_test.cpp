#include "compdraw/avatar_cache.h"
#include "compdraw/converter.h"

#include <gtest/gtest.h>

#include "platform/testing/test_helpers.h"
#include "platform/text_file.h"

using namespace compdraw;

using testing_support::u8;

namespace {


QStringList linesOf(const QList<ListEntry>& entries)
{
    QStringList lines;
    for (const ListEntry& e : entries)
        lines << e.line();
    return lines;
}

}  // namespace

TEST(Converter, RowsToEntries)
{
    const QStringList page = {
        u8("<html><table><tr><th>#</th></tr>"),
        u8("<tr class=\"odd\"><td>1</td><td><a href=\"https://www.worldcubeassociation.org/results/p.php?i=2009ABCD01\">张"),
        u8("三</a></td><td>男</td><td>3x3</td></tr>"),
        u8("<tr class=\"even\"><td>2</td><td><span>李四</span></td><td>女</td></tr>"),
        u8("<tr class=\"odd\"><td>3</td><td><b>王五</td><td>男</td><td>world record</td></tr>"),
        u8("<tr class=\"odd\"><td>4</td><td>赵六</td><td>男 world</td></tr>"),
        u8("<tr class=\"short\"><td>5</td><td>孙七</td></tr>"),
        u8("<tr class=\"odd\"><td>6</td><td>worldcubeassociation 周八</td><td></td></tr></table>"),
    };
    EXPECT_EQ(linesOf(convertPage(page)), QStringList({
                                              u8("张三+M+2009ABCD01"),
                                              u8("<span>李四+F"),
                                              u8("王五+M"),
                                              u8("赵六+M"),
                                              u8("worldcubeassociation 周八+F+cubeassoci"),
                                          }));
    EXPECT_TRUE(convertPage({}).isEmpty());
    EXPECT_TRUE(convertPage({u8("<p>no rows</p>")}).isEmpty());
}

TEST(Converter, AWcaRowWithoutAnIdKeepsItsMark)
{
    // The domain is in another cell and the name cell is too short for an ID.
    const QStringList page = {u8("<tr class=\"odd\"><td>1</td><td>王五</td><td>男</td>"
                                 "<td><a href=\"https://www.worldcubeassociation.org/\">x</a></td></tr>")};
    const QList<ListEntry> entries = convertPage(page);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries[0].wcaLink);
    EXPECT_EQ(entries[0].wcaId, QString());
    EXPECT_EQ(entries[0].line(), u8("王五+M+"));
}

TEST(Converter, PageEncodings)
{
    // GBK names whose bytes are also valid UTF-8 (two-byte characters only).
    const QString gbkNames = u8("<td>郑伟</td><td>谢强</td><td>肖英</td><td>袁平</td>");
    const QByteArray gbk = platform::encodeAnsi(gbkNames);
    ASSERT_TRUE(platform::isValidUtf8(gbk));
    EXPECT_EQ(decodePage(gbk), gbkNames);
    // UTF-8 without a byte-order mark, as long as it holds an ideograph.
    const QString utf8Names = u8("<td>郑伟</td><td>Łukasz</td>");
    EXPECT_EQ(decodePage(utf8Names.toUtf8()), utf8Names);
    EXPECT_EQ(decodePage(u8("Łukasz").toUtf8()), platform::decodeAnsi(u8("Łukasz").toUtf8()));
    EXPECT_EQ(decodePage("\xEF\xBB\xBF" + u8("Łukasz").toUtf8()), u8("Łukasz"));
    // "Unicode" text: UTF-16 with its mark, either byte order.
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : utf8Names)
        utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
    EXPECT_EQ(decodePage(utf16), utf8Names);
    EXPECT_EQ(decodePage(QByteArray("\xFE\xFF\x90\xD1", 4)), u8("郑"));
    EXPECT_EQ(decodePage({}), QString());
}

TEST(AvatarCache, IdsAddressesAndProgress)
{
    EXPECT_TRUE(isWcaId(QStringLiteral("2009ABCD01")));
    for (const char* bad : {"2009abcd01", "../../evil", "2009ABCD1", "2009ABCD012", "2009ABCD01\n", ""})
        EXPECT_FALSE(isWcaId(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(avatarAddress(QStringLiteral("HTTPS://h.example"), QStringLiteral("2009ABCD01")),
              QStringLiteral("HTTPS://h.example/results/upload/a2009ABCD01.jpg"));
    EXPECT_TRUE(defaultAvatarBase().startsWith(QStringLiteral("HTTPS://")));
    EXPECT_EQ(progressText(1, 3), u8("正在获取...33.33%"));
    EXPECT_EQ(progressText(2, 3), u8("正在获取...66.67%"));
    EXPECT_EQ(progressText(3, 3), u8("正在获取...100.00%"));
}
