// Creates the controls of the review form at their pixel positions.
#include "review/form1.h"
#include "platform/u8.h"

namespace review {

namespace {

using platform::u8;

void setBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

// A caption, list or check box row inside a group: left, top, width, height.
struct Place {
    int x, y, w, h;
};

// Check boxes of the two structure frames by row top (0, 18, 36, 54, 72, 90)
// and column (0, 1, 2); -1 leaves a place empty (the chamfer list's place).
constexpr int kFrameTops[6] = {0, 18, 36, 54, 72, 90};
constexpr int kEdgeBoxes[6][3] = {{13, 14, 15}, {16, 17, 18}, {41, -1, -1}, {19, 20, 43}, {-1, 21, 22}, {-1, 23, 24}};
constexpr int kCornerBoxes[6][3] = {{35, 34, 33}, {32, 31, 30}, {42, -1, -1}, {29, 28, 44}, {-1, 37, 27}, {-1, 26, 25}};

}  // namespace

void Form1::createControls()
{
    setWindowTitle(u8(kWindowTitle));
    setFixedSize(718, 453);
    QFont formFont(QStringLiteral("Microsoft YaHei"), 9);
    formFont.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC")});
    setFont(formFont);

    static const Place groupPlaces[7] = {{4, 4, 121, 139},   {130, 4, 141, 333}, {4, 148, 121, 189}, {592, 4, 121, 221},
                                         {276, 4, 311, 445}, {4, 342, 267, 107}, {592, 230, 121, 219}};
    for (int g = 0; g < 7; ++g) {
        tabs[g] = new platform::Frame(u8(kGroupCaptions[g]), this);
        const Place& p = groupPlaces[g];
        tabs[g]->setGeometry(p.x, p.y, p.w, p.h);
    }
    Frame1 = new platform::Frame(QString(), tabs[4]);
    Frame1->setGeometry(28, 186, 265, 107);
    Frame2 = new platform::Frame(QString(), tabs[4]);
    Frame2->setGeometry(26, 326, 263, 109);
    for (platform::Frame* frame : {Frame1, Frame2}) {
        frame->setFlat(true);
        frame->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0px; padding: 0px; }"));
    }

    auto makeLabel = [this](int index, const QString& caption, QWidget* parent, Place p) {
        Label1[index] = new platform::Label(caption, parent);
        Label1[index]->setGeometry(p.x, p.y, p.w, p.h);
        Label1[index]->setWordWrap(false);
    };

    // Texts: caption left of the box, or above it for the number of solves.
    static const int textGroups[kTextCount] = {0, 0, 0, 5, 5, 6};
    static const Place textCaptions[kTextCount] = {{4, 22, 50, 20},  {4, 50, 50, 20},  {4, 78, 50, 20},
                                                   {8, 20, 30, 20},  {136, 20, 30, 20}, {14, 20, 87, 18}};
    static const Place textBoxes[kTextCount] = {{55, 20, 62, 22}, {55, 48, 62, 22},  {55, 76, 62, 22},
                                                {40, 18, 84, 22}, {168, 18, 90, 22}, {14, 40, 87, 22}};
    for (int i = 0; i < kTextCount; ++i) {
        QWidget* group = tabs[textGroups[i]];
        makeLabel(kTextLabels[i], u8(kTextCaptions[i]), group, textCaptions[i]);
        setBold(Label1[kTextLabels[i]]);
        Text1[i] = new platform::TextBox(u8(kTextInitial[i]), group);
        const Place& p = textBoxes[i];
        Text1[i]->setGeometry(p.x, p.y, p.w, p.h);
    }

    // Lists: the group (or frame) that holds each, its caption's place and its
    // own, each list wide enough for its longest item. The long items of the
    // sticker list need the group's whole width: its caption stands above it.
    struct ListPlace {
        int group;  // 0..6, 7 Frame1, 8 Frame2
        Place caption;
        Place list;
    };
    auto row = [](int group, int y, int captionW, int listX, int listW) {
        return ListPlace{group, {8, y + 2, captionW, 20}, {listX, y, listW, 22}};
    };
    auto core = [](int y) { return ListPlace{3, {4, y + 2, 38, 20}, {42, y, 75, 22}}; };
    auto performance = [](int column, int y) {
        return ListPlace{4, {6 + 100 * column, y + 2, 38, 20}, {44 + 100 * column, y, 62, 22}};
    };
    const ListPlace listPlaces[kListCount] = {
        {0, {4, 106, 50, 20}, {55, 104, 62, 22}},
        row(2, 20, 30, 38, 78), row(2, 48, 30, 38, 78), row(2, 76, 30, 38, 78),
        row(2, 104, 30, 38, 78), row(2, 132, 30, 38, 78), row(2, 160, 30, 38, 78),
        row(1, 82, 52, 60, 76), row(1, 108, 52, 60, 76), row(1, 134, 52, 60, 76),
        row(1, 184, 52, 60, 76), row(1, 210, 52, 60, 76), row(1, 236, 52, 60, 76),
        row(1, 262, 52, 60, 76), {1, {8, 286, 60, 17}, {8, 304, 128, 22}},
        {5, {8, 46, 30, 20}, {40, 44, 84, 22}},
        performance(0, 36), performance(1, 36), performance(2, 36),
        performance(0, 82), performance(1, 82), performance(2, 82),
        performance(0, 108), performance(1, 108), performance(2, 108),
        performance(0, 134), performance(1, 134),
        {7, {0, 76, 40, 17}, {42, 72, 74, 20}},
        {8, {0, 76, 40, 17}, {42, 72, 74, 20}},
        core(72), core(96), core(140), core(164), core(188),
        {4, {}, {60, 160, 90, 22}},
        {4, {}, {60, 298, 90, 22}},
    };
    for (int i = 0; i < kListCount; ++i) {
        const ListPlace& lp = listPlaces[i];
        QWidget* parent = lp.group == 7 ? Frame1 : lp.group == 8 ? Frame2 : static_cast<QWidget*>(tabs[lp.group]);
        if (kListLabels[i] >= 0)
            makeLabel(kListLabels[i], u8(kListCaptions[i]), parent, lp.caption);
        Combo1[i] = new platform::ComboList(parent);
        Combo1[i]->setGeometry(lp.list.x, lp.list.y, lp.list.w, lp.list.h);
        for (const char* item : kListItems[i])
            Combo1[i]->addListItem(u8(item));
    }
    setBold(Label1[3]);
    setBold(Label1[20]);

    // Check boxes outside the structure frames.
    auto makeCheck = [this](int index, QWidget* parent, Place p) {
        Check1[index] = new platform::CheckBox(u8(kCheckCaptions[index]), kCheckInitial[index], parent);
        Check1[index]->setGeometry(p.x, p.y, p.w, p.h);
    };
    makeCheck(0, tabs[1], {8, 20, 76, 17});
    makeCheck(40, tabs[1], {86, 20, 52, 17});
    makeCheck(2, tabs[1], {8, 40, 76, 17});
    makeCheck(1, tabs[1], {8, 60, 76, 17});
    makeCheck(3, tabs[1], {46, 160, 46, 17});
    makeCheck(4, tabs[1], {92, 160, 46, 17});
    makeCheck(5, tabs[5], {136, 47, 80, 17});
    for (int k = 0; k < 6; ++k)
        makeCheck(6 + k, tabs[5], {40 + 72 * (k % 3), 70 + 18 * (k / 3), 70, 17});
    makeCheck(12, tabs[4], {8, 162, 52, 17});
    makeCheck(36, tabs[4], {8, 300, 52, 17});
    makeCheck(38, tabs[3], {8, 34, 100, 17});
    makeCheck(39, tabs[3], {8, 52, 100, 17});
    for (int index : {1, 12, 36})
        setBold(Check1[index]);

    // The two structure frames share one layout.
    static const int edgeColumns[3] = {42, 116, 192};
    static const int cornerColumns[3] = {42, 118, 194};
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 3; ++col) {
            if (kEdgeBoxes[r][col] >= 0)
                makeCheck(kEdgeBoxes[r][col], Frame1, {edgeColumns[col], kFrameTops[r], 72, 17});
            if (kCornerBoxes[r][col] >= 0)
                makeCheck(kCornerBoxes[r][col], Frame2, {cornerColumns[col], kFrameTops[r], 68, 17});
        }
    static const int rowTops[3] = {0, 54, 76};
    makeLabel(37, u8(kFrameRows[0]), Frame1, {0, rowTops[0], 40, 17});
    makeLabel(38, u8(kFrameRows[1]), Frame1, {0, rowTops[1], 40, 17});
    makeLabel(42, u8(kFrameRows[0]), Frame2, {0, rowTops[0], 40, 17});
    makeLabel(41, u8(kFrameRows[1]), Frame2, {0, rowTops[1], 40, 17});

    // Bold sub-headings.
    makeLabel(23, u8(kHeading23), tabs[1], {8, 160, 38, 17});
    makeLabel(21, u8(kHeading21), tabs[5], {8, 70, 30, 17});
    makeLabel(43, u8(kHeading43), tabs[3], {8, 21, 60, 17});
    makeLabel(46, u8(kHeading46), tabs[3], {8, 122, 60, 17});
    makeLabel(24, u8(kHeading24), tabs[4], {8, 20, 80, 17});
    makeLabel(28, u8(kHeading28), tabs[4], {8, 64, 80, 17});
    for (int index : {21, 23, 24, 28, 43, 46})
        setBold(Label1[index]);

    // Buttons and the article box.
    Command3 = new platform::CommandButton(QStringLiteral("隐藏评测"), tabs[6]);
    Command3->setGeometry(14, 86, 87, 35);
    Command3->hide();
    Command2[0] = new platform::CommandButton(QStringLiteral("保存"), tabs[6]);
    Command2[0]->setGeometry(14, 128, 41, 35);
    Command2[1] = new platform::CommandButton(QStringLiteral("读取"), tabs[6]);
    Command2[1]->setGeometry(60, 128, 41, 35);
    Command1 = new platform::CommandButton(QStringLiteral("生成评测"), tabs[6]);
    Command1->setGeometry(14, 170, 87, 35);

    Text2 = new ArticleBox(this);
    Text2->setGeometry(128, 2, 461, 445);
    Text2->hide();
    Text2->raise();
}

}  // namespace review
