// The option set of the review form: captions, list items and initial values.
#include "review/option_set.h"

namespace review {

const char* const kWindowTitle = "Revoran v1.0";
const char* const kGroupCaptions[7] = {
    "基本信息",
    "外观",
    "主观印象",
    "核心",
    "性能",
    "一般参数",
    "附加信息",
};
const char* const kTextCaptions[6] = {
    "名称",
    "称号",
    "品牌",
    "尺寸",
    "重量",
    "试玩次数",
};
const int kTextLabels[6] = {0, 1, 2, 18, 19, 22};
const char* const kTextInitial[6] = {
    "",
    "",
    "",
    "",
    "",
    "200",
};
const char* const kListCaptions[36] = {
    "评测风格",
    "手感",
    "性能",
    "观察",
    "手法",
    "爆发",
    "适用",
    "拼接类型",
    "拼接强度",
    "拼接工艺",
    "材质",
    "配色",
    "强度",
    "厚度",
    "通用性",
    "材质",
    "顺容错",
    "逆容错",
    "易容性",
    "稳定性",
    "顺滑度",
    "防POP",
    "防卡顿",
    "防错层",
    "防粘滞",
    "声音",
    "防转角",
    "倒角",
    "倒角",
    "倒角",
    "弹簧仓",
    "定位",
    "弹簧",
    "垫片",
    "",
    "",
};
const int kListLabels[36] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 25, 26, 27, 29, 30, 31, 32, 33, 34, 35, 36, 39, 40, 44, 45, 47, 48, 49, -1, -1};
const std::vector<const char*> kListItems[36] = {
    {"谦虚", "吹", "无脑吹"},
    {"硬朗", "柔软", "偏硬", "偏软"},
    {"优越", "超强", "强大", "稍弱", "不足"},
    {"有提升", "无影响", "影响观察"},
    {"要求低", "要求一般", "要求高"},
    {"易爆手速", "易控制", "无"},
    {"全体", "高手", "新手"},
    {"多向对称", "单向对称", "非对称"},
    {"强", "一般", "弱"},
    {"无缝隙", "略有缝隙", "缝隙大"},
    {"PVC", "PET", "ORACAL", "塑料"},
    {"普亮", "全亮", "半亮", "和悦色"},
    {"很高", "一般", "稍低"},
    {"一般", "较厚", "较薄"},
    {"通用多种贴纸", "略微匹配其它贴纸", "不通用其它贴纸"},
    {"ABS", "PP", "POM", "PC"},
    {"大", "一般", "小"},
    {"大", "一般", "小"},
    {"很高", "一般", "稍弱"},
    {"好", "一般", "差"},
    {"适中", "阻力大", "阻力小"},
    {"好", "一般", "差"},
    {"好", "一般", "差"},
    {"好", "一般", "差", "无此项"},
    {"好", "一般", "差"},
    {"很小", "一般", "较大"},
    {"好", "一般", "差", "无此项"},
    {"圆弧倒角", "直线倒角"},
    {"圆弧倒角", "直线倒角"},
    {"圆弧倒角", "直线倒角", "无此项"},
    {"一体式", "独立式", "内置式", "无弹簧仓"},
    {"不需定位", "角块定位", "棱块定位", "中心定位"},
    {"弹力适中", "弹力较大", "弹力较小"},
    {"无垫片", "单垫片", "双垫片", "多垫片"},
    {"一体式", "覆盖外壳", "内嵌外壳", "内嵌贴片"},
    {"一体式", "覆盖外壳", "内嵌外壳", "内嵌贴片"},
};
const char* const kCheckCaptions[45] = {
    "表面无缝",
    "拼接",
    "表面毛刺",
    "贴纸",
    "贴片",
    "可配重",
    "黑色",
    "白色",
    "原色",
    "透明",
    "多色",
    "电镀",
    "棱块",
    "轨道",
    "镂空",
    "全封闭",
    "无缝",
    "加盖",
    "侧翼",
    "十字卡角",
    "多重卡角",
    "内陷切面",
    "垂直切面",
    "斜切面",
    "镂空切面",
    "镂空切面",
    "斜切面",
    "垂直切面",
    "多重卡角",
    "十字卡角",
    "侧翼",
    "加盖",
    "无缝",
    "全封闭",
    "镂空",
    "轨道",
    "角块",
    "内陷切面",
    "中盖",
    "边缘内陷",
    "杂色",
    "凹槽",
    "凹槽",
    "加长卡角",
    "加长卡角",
};
const int16_t kCheckInitial[45] = {0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};
// Label1(21)
const char* const kHeading21 = "颜色";
// Label1(23)
const char* const kHeading23 = "色块";
// Label1(24)
const char* const kHeading24 = "容错性";
// Label1(28)
const char* const kHeading28 = "转动参数";
// Label1(43)
const char* const kHeading43 = "中块";
// Label1(46)
const char* const kHeading46 = "中轴";
const char* const kFrameRows[3] = {
    "接触面",
    "卡角",
    "倒角",
};

}  // namespace review

namespace review {

bool OptionValues::operator==(const OptionValues& other) const
{
    return texts == other.texts && lists == other.lists && checks == other.checks;
}

OptionValues defaultOptions()
{
    OptionValues v;
    for (int i = 0; i < kTextCount; ++i)
        v.texts[i] = QString::fromUtf8(kTextInitial[i]);
    v.lists.fill(0);
    for (int i = 0; i < kCheckCount; ++i)
        v.checks[i] = kCheckInitial[i];
    return v;
}

QString listItemText(int list, int index)
{
    const auto& items = kListItems[list];
    if (index < 0 || index >= int(items.size()))
        return {};
    return QString::fromUtf8(items[size_t(index)]);
}

std::array<QString, kListCount> shownListTexts(const OptionValues& values)
{
    std::array<QString, kListCount> shown;
    for (int i = 0; i < kListCount; ++i)
        shown[i] = listItemText(i, values.lists[i]);
    return shown;
}

}  // namespace review
