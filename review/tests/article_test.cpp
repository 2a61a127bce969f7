#include "review/article.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "platform/testing/test_helpers.h"

using namespace review;

using testing_support::u8;

namespace {


OptionValues defaultsNamed(const char* name)
{
    OptionValues v = defaultOptions();
    v.texts[0] = u8(name);
    return v;
}

QStringList linesOf(const OptionValues& v)
{
    return writeArticle(articleInputOf(v)).split(QStringLiteral("\r\n"));
}

// The line that follows the first line equal to `heading`.
QString lineAfter(const QStringList& lines, const char* heading)
{
    const int at = lines.indexOf(u8(heading));
    return at >= 0 && at + 1 < lines.size() ? lines[at + 1] : QString();
}

}  // namespace

TEST(Article, DefaultsNamedAGiveTheWholeText)
{
    const char* expected[] = {
        "A评测",
        "其实现在这个市场百花齐放，很多新手乃至老手都在纠结要买哪一款魔方，哪一个好，用哪一个可以提升自己的成绩。我想说的是，现在魔方的性能都是非常之强大的，只是不同结构的手感迥异，没有绝对的好魔方，也没有绝对的坏魔方，只有适合自己的才是最好的。",
        "个人觉得总是指望靠买一个所谓的好魔方来一下提升自己的成绩，我觉得这是没必要纠结的事情。一个好的魔方，适合自己的魔方，起到的是一种辅佐的作用，并不能对你的成绩起到决定性的作用。",
        "这里对A的结构特性，性能手感做个全面深入的评测。",
        "如有说得不当之处还请各位批评指正!",
        "刚拿到手时，第一件事当然是迫不及待地拆开快递。打开以后简单地试转了几下，一开始的手感蛮让我震惊的，总体感觉手感硬朗，性能优越，还是比较理想的。",
        "经过200次的测速，果真没让我失望。",
        "一开始的测速我并没有很快，大概前二三十次还原都在摸索阶段，再测了十几次就开始进步啦，这个时候才体会到A的各种性能。",
        "A魔方的配色对观察有所提升，可以更加连贯流畅的还原。它对手法要求要求低，易爆手速。适合于全体魔友。",
        "一、外观",
        "A采用了多向对称拼接的形式，拼接的强度强，全新的魔方拼接无缝隙。",
        "A选用了普亮配色PVC材质的贴纸，贴纸的厚度一般，强度很高，贴纸尺寸通用多种贴纸。",
        "二、性能",
        "A的顺逆容错都很大，完全适用于速拧，易容性很高。",
        "稳定性方面处理很好，转动平稳没有震感。经过润滑和调试，魔方的顺滑度很合适，不会阻力过大或过滑。防POP性能很强，很难拆卸，练习过程中没有出现POP现象。在使用过程中没有出现会卡顿的现象，转动流畅。内部结构设计使得错层现象大大降低，也不会出现中心块原地旋转现象。防粘滞方面做得很好，润滑之后也能保持很长时间的优秀手感。另外就是转角方面，防转角性能相当不错，还原过程中很难出现转角，可以放心的爆手速。最后就是声音问题，转动时声音很小，上课练习神器。",
        "三、结构",
        "的棱块采用一体式设计。棱块倒角为圆弧倒角。",
        "的角块采用一体式设计。角块倒角为圆弧倒角。",
        "四、核心",
        "中块使用了圆弧倒角。传统的一体式弹簧仓，方便适配其它型号弹簧垫片等配件。弹力配置采用了弹簧+无垫片配置，弹簧弹力适中。",
    };
    QStringList lines;
    for (const char* line : expected)
        lines << u8(line);
    const QString article = writeArticle(articleInputOf(defaultsNamed("A")));
    EXPECT_EQ(article, lines.join(QStringLiteral("\r\n")));
    EXPECT_FALSE(article.endsWith(u8("\r\n")));
    // The same options give the same text again.
    EXPECT_EQ(writeArticle(articleInputOf(defaultsNamed("A"))), article);
}

TEST(Article, StylesAndTheTitle)
{
    OptionValues v = defaultsNamed("A");
    v.texts[1] = u8("神");
    v.texts[2] = u8("牌");
    v.lists[0] = 1;
    QStringList lines = linesOf(v);
    EXPECT_EQ(lines[0], u8("神A评测"));
    EXPECT_EQ(lines[1], u8("标题的神并非第一印象，一开始我是拒绝神这个称号的，但是后期使用确实让我有神的体验。"));
    EXPECT_EQ(lines[2], u8("这里对牌A的结构特性，性能手感做个全面深入的评测。"));
    EXPECT_EQ(lines[4], u8("至于是不是你心中的神，那么就从这下面的测评里面去探索吧"));
    EXPECT_TRUE(lines[5].startsWith(u8("刚拿到手时")));
    EXPECT_EQ(lines[6], u8("经过200次的测速，果真牌没让我失望。"));
    // The title is in the structure blocks too.
    EXPECT_TRUE(lines.contains(u8("神的棱块采用一体式设计。棱块倒角为圆弧倒角。")));

    v.texts[1].clear();  // style 1 without a title: only its last two lines
    lines = linesOf(v);
    EXPECT_EQ(lines[1], u8("这里对牌A的结构特性，性能手感做个全面深入的评测。"));
    EXPECT_TRUE(lines[3].startsWith(u8("刚拿到手时")));

    v.lists[0] = 2;
    v.texts[1] = u8("神");
    lines = linesOf(v);
    EXPECT_TRUE(lines[1].startsWith(u8("得到A的测评，很是欣喜，感谢牌，你们再一次")));
    EXPECT_TRUE(lines[1].contains(u8("确实让我有神的体验。A把曲线美")));
    EXPECT_TRUE(lines[1].endsWith(u8("又一大强悍的竞争力。")));
    EXPECT_TRUE(lines[2].startsWith(u8("至于是不是你心中的神")));

    v.lists[0] = -1;  // no style: nothing
    lines = linesOf(v);
    EXPECT_TRUE(lines[1].startsWith(u8("至于是不是你心中的神")));
}

TEST(Article, SizeWeightAndHandling)
{
    OptionValues v = defaultsNamed("A");
    v.texts[4] = u8("80g");
    QStringList lines = linesOf(v);
    EXPECT_TRUE(lines[7].endsWith(u8("体会到A的各种性能。重量大约为80g。")));

    v.texts[3] = u8("56mm");
    v.checks[5] = 1;
    v.lists[15] = 2;
    v.lists[3] = 1;  // no colour sentence: the handling sentence continues the size line
    v.lists[5] = 2;
    lines = linesOf(v);
    EXPECT_EQ(lines[8], u8("A魔方的尺寸为56mm。重量大约为80g。它还可以通过配重增减重量，适配喜欢不同手感的魔友。"
                           "A魔方主体使用了POM材质，手感独特。它对手法要求要求低。适合于全体魔友。"));
    v.lists[3] = 2;
    lines = linesOf(v);
    EXPECT_EQ(lines[9], u8("A魔方的配色稍稍影响观察，但是整体性能不容置疑。它对手法要求要求低。适合于全体魔友。"));
}

TEST(Article, AppearanceAndStickers)
{
    OptionValues v = defaultsNamed("A");
    v.checks[0] = 1;
    v.checks[2] = 1;
    v.checks[40] = 1;
    QStringList lines = linesOf(v);
    const int at = lines.indexOf(u8("一、外观"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(lines[at + 1], u8("A使用了表面无缝的制作工艺，即使全新的魔方也无需进行表面打磨，拿到手上很舒适自然。"));
    EXPECT_EQ(lines[at + 3], u8("虽然采用了表面无缝的技术，但是有些会出现毛刺现象，需要进行简单的处理。"));
    EXPECT_EQ(lines[at + 4], u8("从整体来看，魔方材料出现杂色，影响美观。"));

    v = defaultsNamed("A");
    v.checks[1] = 0;
    v.checks[2] = 1;
    struct Case {
        int stickers, tiles;
        const char* line;
    } cases[] = {
        {0, 0, "A采用无贴纸设计，抓握感更好，同时也没有了更换贴纸的任务。"},
        {0, 1, "A选用了普亮配色PVC材质的贴片，贴片的厚度一般，贴片尺寸通用多种贴纸。"},
        {1, 1, "A可以选择使用贴纸或贴片，它的贴纸选用了普亮配色PVC材质的贴纸，贴纸的厚度一般，强度很高，贴纸尺寸，通用多种贴纸。"},
        {2, 0, "二、性能"},  // greyed: no sticker sentence
        {0, 2, "二、性能"},
    };
    for (const Case& c : cases) {
        v.checks[3] = int16_t(c.stickers);
        v.checks[4] = int16_t(c.tiles);
        lines = linesOf(v);
        EXPECT_EQ(lineAfter(lines, "魔方表面有些地方会有毛刺，需要进行简单的处理。"), u8(c.line)) << c.stickers << c.tiles;
    }
}

TEST(Article, ToleranceKeysAndRatings)
{
    const char* expected[3][3] = {
        {"的顺逆容错都很大，完全适用于速拧，易容性",
         "的顺容错很大，但是逆容错一般，拿来速拧完全足够，易容性",
         "的顺容错很大，但是为了提升一些稳定性导致逆容错稍显不足，但是也适用于速拧，易容性"},
        {"的逆容错很大，顺容错发挥一般，不过速拧中主要看逆容错的发挥，易容性",
         "的顺逆容错没有太多突破，但是足够满足速拧需求，易容性",
         "的顺容错一般，逆容错略显不足，但是足够满足速拧需求，易容性"},
        {"的顺容错并没有完全发挥，但是逆容错却很完美，完全适用于速拧，易容性",
         "的顺容错并没有完全发挥，逆容错达到一般水准，足够满足速拧需求，易容性",
         "的顺逆容错都稍显不足，但是足够满足速拧需求，易容性"},
    };
    OptionValues v = defaultsNamed("A");
    v.lists[18] = 2;
    for (int forward = 0; forward < 3; ++forward)
        for (int reverse = 0; reverse < 3; ++reverse) {
            v.lists[16] = int16_t(forward);
            v.lists[17] = int16_t(reverse);
            EXPECT_EQ(lineAfter(linesOf(v), "二、性能"), u8("A") + u8(expected[forward][reverse]) + u8("稍弱。"));
        }
    for (auto keys : {std::pair<int, int>{-1, 0}, {0, -1}, {-1, -1}}) {
        v.lists[16] = int16_t(keys.first);
        v.lists[17] = int16_t(keys.second);
        EXPECT_TRUE(lineAfter(linesOf(v), "二、性能").startsWith(u8("稳定性方面处理很好"))) << keys.first << keys.second;
    }

    // Ratings: 无此项 rows write nothing, the sound sentence closes the line,
    // and without a stability sentence the rest continue the tolerance line.
    v = defaultsNamed("A");
    v.lists[19] = -1;
    v.lists[23] = 3;
    v.lists[26] = 3;
    v.lists[25] = 2;
    const QString line = lineAfter(linesOf(v), "二、性能");
    EXPECT_TRUE(line.startsWith(u8("A的顺逆容错都很大，完全适用于速拧，易容性很高。经过润滑和调试")));
    EXPECT_FALSE(line.contains(u8("错层")));
    EXPECT_FALSE(line.contains(u8("转角")));
    EXPECT_TRUE(line.endsWith(u8("防粘滞方面做得很好，润滑之后也能保持很长时间的优秀手感。最后就是声音问题，转动时声音很大，节奏感超强。")));
}

TEST(Article, EdgeAndCornerBlocks)
{
    OptionValues v = defaultsNamed("A");
    v.checks[23] = 1;
    EXPECT_EQ(lineAfter(linesOf(v), "三、结构"), u8("的棱块采用一体式设计。棱块倒角为圆弧倒角，倒角切面形态为斜切面，提高顺逆容错。"));
    v.checks[21] = 1;
    v.checks[13] = 1;
    v.checks[41] = 1;
    v.checks[19] = 1;
    v.checks[43] = 1;
    v.lists[34] = 3;
    v.lists[27] = 1;
    EXPECT_EQ(lineAfter(linesOf(v), "三、结构"),
              u8("的棱块采用内嵌贴片设计。接触面使用了轨道、凹槽结构，提高稳定性、容错等性能。"
                 "棱块卡角则是有十字卡角、加长卡角来增强防POP能力。"
                 "棱块倒角为直线倒角，倒角切面形态为内陷切面+斜切面的组合，提高顺逆容错。"));

    v = defaultsNamed("A");
    v.checks[35] = 1;
    v.checks[30] = 1;
    v.checks[29] = 1;
    v.checks[28] = 1;
    v.checks[26] = 1;
    QStringList lines = linesOf(v);
    EXPECT_EQ(lines[lines.indexOf(u8("四、核心")) - 1],
              u8("的角块采用一体式设计。接触面使用了侧翼、轨道结构，提高稳定性、容错等性能。"
                 "角块卡角则是有十字卡角、多重卡角来增强防POP能力及防转角能力。"
                 "角块倒角为圆弧倒角，倒角切面形态为斜切面，提高顺逆容错。"));
    v.lists[26] = 3;
    lines = linesOf(v);
    EXPECT_TRUE(lines[lines.indexOf(u8("四、核心")) - 1].contains(u8("多重卡角来增强防POP能力。角块倒角为")));
}

TEST(Article, UntickedBlocksIgnoreTheirBoxes)
{
    OptionValues plain = defaultsNamed("A");
    plain.checks[12] = 0;
    plain.checks[36] = 2;  // greyed counts as not ticked
    OptionValues busy = plain;
    for (int box : {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 41, 43, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                    37, 42, 44, 6, 7, 8, 9, 10, 11})
        busy.checks[box] = 1;
    for (int list : {27, 28, 34, 35})
        busy.lists[list] = 1;
    const QString article = writeArticle(articleInputOf(plain));
    EXPECT_EQ(writeArticle(articleInputOf(busy)), article);
    EXPECT_EQ(lineAfter(linesOf(plain), "三、结构"), u8("四、核心"));
}

TEST(Article, CoreSection)
{
    OptionValues v = defaultsNamed("A");
    v.lists[29] = -1;
    v.checks[39] = 1;
    v.lists[30] = 1;
    v.lists[31] = 2;
    v.lists[32] = 1;
    v.lists[33] = 3;
    QStringList lines = linesOf(v);
    EXPECT_EQ(lines.last(), u8("中块使用了。边缘内陷的设计配合角块可以减少利用容错时中块的碰撞，并增加逆容错。"
                               "独立式弹簧仓与中心分离，可以增加中心的垂直度和稳定性，方便适配其它型号弹簧垫片等配件，同时避免了弹簧磨损垫片和中块的问题。"
                               "弹力配置采用了弹簧+多垫片配置，弹簧弹力较大。核心定位使用棱块定位。"));
    v.lists[29] = 2;
    v.lists[30] = 3;
    v.checks[38] = 2;
    v.lists[31] = 0;
    lines = linesOf(v);
    EXPECT_EQ(lines.last(), u8("四、核心弹力配置采用了弹簧+多垫片配置，弹簧弹力较大。"));
}
