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

TEST(Converter, GbkPagesThatAreValidUtf8ReadAsGbk)
{
    // GBK bytes that happen to be valid UTF-8, with three-byte characters
    // among them (濮鸿静 is E5 A7 BA E8 BE B2, "姺農" as UTF-8).
    const QString rows = u8("<tr class=\"r\"><td>1<td>濮鸿静<td>女<tr class=\"r\"><td>2<td>肖英<td>女"
                            "<tr class=\"r\"><td>3<td>袁平<td>女");
    for (const QString& text : {rows, u8("濮鸿静"), u8("<td>濮鸿静</td><td>女</td>")}) {
        SCOPED_TRACE(text.toStdString());
        const QByteArray gbk = platform::encodeAnsi(text);
        ASSERT_TRUE(platform::isValidUtf8(gbk));
        EXPECT_EQ(decodePage(gbk), text);
    }
    EXPECT_EQ(linesOf(convertPage({decodePage(platform::encodeAnsi(rows))})),
              QStringList({u8("濮鸿静+F"), u8("肖英+F"), u8("袁平+F")}));
    // 濮辉 in GBK is E5 A7 BB D4: UTF-8 up to a sequence cut off at the end,
    // which is no UTF-8 and loses no byte.
    EXPECT_FALSE(platform::isValidUtf8("\xE5\xA7\xBB\xD4"));
    EXPECT_EQ(decodePage(platform::encodeAnsi(u8("濮辉"))), u8("濮辉"));
}

TEST(Converter, NamesAloneReadInTheirOwnEncoding)
{
    // Two- and three-character names of common surnames and given names, the
    // hardest pages: no markup or gender cell breaks the wrong reading. Every
    // UTF-8 name, simplified or traditional, reads as UTF-8; every simplified
    // GBK name whose bytes are valid UTF-8 reads as GBK.
    const QString surnames = u8("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜"
                                "叶程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段雷侯龙史陶黎"
                                "贺顾毛郝龚邵万钱严覃武戴莫孔向汤濮欧");
    const QString given = u8("伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超兰霞平刚桂华红玉飞鹏辉斌宇浩凯健俊帆帅旭宁龙林欢"
                             "阳佳晨婷雪琳晶颖倩璐鑫昊睿轩子涵梓博文一思怡欣可心雨嘉瑞泽铭晓春海波峰建国志鸿");
    const QString traditional = u8("陳張黃劉楊趙吳鄭謝許蕭葉賴蘇莊呂羅潘簡鍾顏偉誠賢淑慧雅儀豪傑瑋鳳麗蘭國強榮興發達順寶鴻鵬");
    QStringList names;
    for (const QChar s : surnames)
        for (qsizetype i = 0; i < given.size(); ++i) {
            names << QString(s) + given[i];
            names << QString(s) + given[i] + given[(i * 7 + 3) % given.size()];
        }
    const qsizetype simplified = names.size();
    for (const QChar s : traditional)
        for (const QChar g : traditional)
            names << QString(s) + g << QString(s) + g + traditional[(s.unicode() + g.unicode()) % traditional.size()];
    int gbkValidUtf8 = 0;
    QStringList wrong;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (decodePage(name.toUtf8()) != name)
            wrong << name;
        const QByteArray gbk = platform::encodeAnsi(name);
        if (i < simplified && platform::isValidUtf8(gbk)) {
            ++gbkValidUtf8;
            if (decodePage(gbk) != name)
                wrong << name;
        }
    }
    EXPECT_GT(gbkValidUtf8, 200);
    EXPECT_EQ(wrong, QStringList());
}

TEST(Converter, DeclaredCharsetDecidesBeforeTheGuess)
{
    const QString body = u8("<tr class=\"r\"><td>1<td>张伟<td>男<tr class=\"r\"><td>2<td>陳美玲<td>女");
    const QString utf8Meta = u8("<html><head><meta charset=\"utf-8\"></head><body>") + body;
    const QString httpEquiv =
        u8("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"></HEAD>") + body;
    const QString gbkMeta = u8("<html><head><meta charset=gb2312></head>") + u8("濮鸿静 肖英");
    EXPECT_EQ(decodePage(utf8Meta.toUtf8()), utf8Meta);
    EXPECT_EQ(decodePage(httpEquiv.toUtf8()), httpEquiv);
    EXPECT_EQ(decodePage(body.toUtf8()), body);  // no declaration: the bytes read better as UTF-8
    EXPECT_EQ(decodePage(platform::encodeAnsi(gbkMeta)), gbkMeta);
    // A page saved as GBK from a page that declares UTF-8 is not valid UTF-8:
    // the declaration cannot hold and the page reads as GBK.
    const QString mislabelled = u8("<meta charset=\"utf-8\">") + body;
    EXPECT_EQ(decodePage(platform::encodeAnsi(mislabelled)), mislabelled);
    // A label of no encoding counts as no declaration.
    const QString unknown = u8("<meta charset=\"x-none\">") + body;
    EXPECT_EQ(decodePage(unknown.toUtf8()), unknown);
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
