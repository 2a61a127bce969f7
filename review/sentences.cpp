// The fixed sentence stock of the review article, as UTF-8 pieces. A sentence
// made of several pieces is an array; the inserted texts go between them.
#include "review/sentences.h"

namespace review {

const char* const kHeadingEnd = "评测";
const char* const kModest[2] = {
    "其实现在这个市场百花齐放，很多新手乃至老手都在纠结要买哪一款魔方，哪一个好，用哪一个可以提升自己的成绩。我想说的是，现在魔方的性能都是非常之强大的，只是不同结构的手感迥异，没有绝对的好魔方，也没有绝对的坏魔方，只有适合自己的才是最好的。",
    "个人觉得总是指望靠买一个所谓的好魔方来一下提升自己的成绩，我觉得这是没必要纠结的事情。一个好的魔方，适合自己的魔方，起到的是一种辅佐的作用，并不能对你的成绩起到决定性的作用。",
};
const char* const kReviewHere = "这里对";
const char* const kReviewHereEnd = "的结构特性，性能手感做个全面深入的评测。";
const char* const kCorrectMe = "如有说得不当之处还请各位批评指正!";
const char* const kTitleDoubt[4] = {
    "标题的",
    "并非第一印象，一开始我是拒绝",
    "这个称号的，但是后期使用确实让我有",
    "的体验。",
};
const char* const kLavish[5] = {
    "得到",
    "的测评，很是欣喜，感谢",
    "，你们再一次让大家玩到又一个超强的魔方，给我带来意外的惊艳感，确实让我有",
    "的体验。",
    "把曲线美跟古典美的交融，表现得淋漓尽致，极大程度的提高了魔方的性能，绝对称得上是专业速拧级别的魔方了，再加上其精细的做工，恐怕会成为魔方市场内又一大强悍的竞争力。",
};
const char* const kImpressionTitle[2] = {
    "至于是不是你心中的",
    "，那么就从这下面的测评里面去探索吧",
};
const char* const kFirstFeel[3] = {
    "刚拿到手时，第一件事当然是迫不及待地拆开快递。打开以后简单地试转了几下，一开始的手感蛮让我震惊的，总体感觉手感",
    "，性能",
    "，还是比较理想的。",
};
const char* const kTestSolves[3] = {
    "经过",
    "次的测速，果真",
    "没让我失望。",
};
const char* const kTestedPerformance[2] = {
    "一开始的测速我并没有很快，大概前二三十次还原都在摸索阶段，再测了十几次就开始进步啦，这个时候才体会到",
    "的各种性能。",
};
const char* const kSize[2] = {
    "魔方的尺寸为",
    "。",
};
const char* const kWeight[2] = {
    "重量大约为",
    "。",
};
const char* const kAddWeights = "它还可以通过配重增减重量，适配喜欢不同手感的魔友。";
const char* const kBodyMaterial[2] = {
    "魔方主体使用了",
    "材质，手感独特。",
};
const char* const kColoursHelp = "魔方的配色对观察有所提升，可以更加连贯流畅的还原。";
const char* const kColoursHinder = "魔方的配色稍稍影响观察，但是整体性能不容置疑。";
const char* const kHandling[3] = {
    "它对手法要求",
    "适合于",
    "魔友。",
};
const char* const kComma = "，";
const char* const kFullStop = "。";
const char* const kAppearance = "一、外观";
const char* const kSeamless = "使用了表面无缝的制作工艺，即使全新的魔方也无需进行表面打磨，拿到手上很舒适自然。";
const char* const kSpliced[4] = {
    "采用了",
    "拼接的形式，拼接的强度",
    "，全新的魔方拼接",
    "。",
};
const char* const kBurrsSeamless = "虽然采用了表面无缝的技术，但是有些会出现毛刺现象，需要进行简单的处理。";
const char* const kBurrs = "魔方表面有些地方会有毛刺，需要进行简单的处理。";
const char* const kMottled = "从整体来看，魔方材料出现杂色，影响美观。";
const char* const kNoStickers = "采用无贴纸设计，抓握感更好，同时也没有了更换贴纸的任务。";
const char* const kTiles[5] = {
    "选用了",
    "配色",
    "材质的贴片，贴片的厚度",
    "，贴片尺寸",
    "。",
};
const char* const kStickers[6] = {
    "选用了",
    "配色",
    "材质的贴纸，贴纸的厚度",
    "，强度",
    "，贴纸尺寸",
    "。",
};
const char* const kStickersOrTiles[6] = {
    "可以选择使用贴纸或贴片，它的贴纸选用了",
    "配色",
    "材质的贴纸，贴纸的厚度",
    "，强度",
    "，贴纸尺寸，",
    "。",
};
const char* const kPerformance = "二、性能";
const char* const kTolerance[9] = {
    "的顺逆容错都很大，完全适用于速拧，易容性",
    "的顺容错很大，但是逆容错一般，拿来速拧完全足够，易容性",
    "的顺容错很大，但是为了提升一些稳定性导致逆容错稍显不足，但是也适用于速拧，易容性",
    "的逆容错很大，顺容错发挥一般，不过速拧中主要看逆容错的发挥，易容性",
    "的顺逆容错没有太多突破，但是足够满足速拧需求，易容性",
    "的顺容错一般，逆容错略显不足，但是足够满足速拧需求，易容性",
    "的顺容错并没有完全发挥，但是逆容错却很完美，完全适用于速拧，易容性",
    "的顺容错并没有完全发挥，逆容错达到一般水准，足够满足速拧需求，易容性",
    "的顺逆容错都稍显不足，但是足够满足速拧需求，易容性",
};
const char* const kRatings[8][3] = {
    {"稳定性方面处理很好，转动平稳没有震感。", "稳定性方面处理很好，转动时震感很小，磨合好以后可以消除。", "稳定性方面略有欠缺，转动时会有震感，可能长时间磨合以后会减少或消除。"},
    {"经过润滑和调试，魔方的顺滑度很合适，不会阻力过大或过滑。", "经过润滑和调试，魔方的顺滑度很合适，但是润滑不足会出现阻力过大的情况。", "经过润滑和调试，魔方的顺滑度很合适，但是润滑油加太多则会有过滑现象。"},
    {"防POP性能很强，很难拆卸，练习过程中没有出现POP现象。", "防POP性能一般，练习过程中偶尔会出现POP现象。", "防POP性能一般，调试得不到位会出现POP现象。"},
    {"在使用过程中没有出现会卡顿的现象，转动流畅。", "在使用过程中发现会有卡顿，可能需要进行简单的打磨处理。", "在使用过程中发现有时候卡顿很多，需要进行打磨处理。"},
    {"内部结构设计使得错层现象大大降低，也不会出现中心块原地旋转现象。", "错层以及中心块原地旋转现象出现的几率不高，除非手法太暴力。", "错层现象没有太大改善，需要多加注意手法，不能太暴力。"},
    {"防粘滞方面做得很好，润滑之后也能保持很长时间的优秀手感。", "防粘滞方面做得很好，润滑之后也能保持手感的时间不会太长。", "防粘滞方面做得一般，如果润滑不当可能很快会有发粘的情况。"},
    {"另外就是转角方面，防转角性能相当不错，还原过程中很难出现转角，可以放心的爆手速。", "另外就是转角方面，防转角性能一般，还原过程中很少出现转角，可以放心的爆手速。", "另外就是转角方面，防转角性能一般，还原过程中偶尔出现转角。"},
    {"最后就是声音问题，转动时声音很小，上课练习神器。", "最后就是声音问题，转动时的声音导致无法在上课练习。", "最后就是声音问题，转动时声音很大，节奏感超强。"},
};
const char* const kStructure = "三、结构";
const char* const kEdgeDesign[2] = {
    "的棱块采用",
    "设计。",
};
const char* const kContactFace[2] = {
    "接触面使用了",
    "结构，提高稳定性、容错等性能。",
};
const char* const kListSeparator = "、";
const char* const kEdgeLock[2] = {
    "棱块卡角则是有",
    "来增强防POP能力。",
};
const char* const kEdgeChamfer = "棱块倒角为";
const char* const kCutSeparator = "+";
const char* const kCutNone = "。";
const char* const kCutForm = "，倒角切面形态为";
const char* const kCutCombined = "的组合，提高顺逆容错。";
const char* const kCutSingle = "，提高顺逆容错。";
const char* const kCornerDesign[2] = {
    "的角块采用",
    "设计。",
};
const char* const kCornerLock[3] = {
    "角块卡角则是有",
    "来增强防POP能力",
    "。",
};
const char* const kCornerTwist = "及防转角能力";
const char* const kCore = "四、核心";
const char* const kCenter[2] = {
    "中块使用了",
    "。",
};
const char* const kEdgeRecess = "边缘内陷的设计配合角块可以减少利用容错时中块的碰撞，并增加逆容错。";
const char* const kSpringHousing[3] = {
    "传统的一体式弹簧仓，方便适配其它型号弹簧垫片等配件。",
    "独立式弹簧仓与中心分离，可以增加中心的垂直度和稳定性，方便适配其它型号弹簧垫片等配件，同时避免了弹簧磨损垫片和中块的问题。",
    "内置式弹簧仓，使得中块接触面有更多空间用来提升容错。",
};
const char* const kSpringConfig[3] = {
    "弹力配置采用了弹簧+",
    "配置，弹簧",
    "。",
};
const char* const kPositioning[2] = {
    "核心定位使用",
    "。",
};

}  // namespace review

namespace review {

// Lead-in of the corner chamfer, the counterpart of the edge chamfer's.
const char* const kCornerChamfer = "角块倒角为";

}  // namespace review
