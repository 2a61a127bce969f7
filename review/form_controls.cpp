// Creates the controls of the review form, each in its group, with its
// caption, items and initial value; form_layout.cpp places them.
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

// Check boxes of the two structure frames by row and column; -1 leaves a
// place empty (the chamfer list's place).
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

    for (int g = 0; g < 7; ++g)
        tabs[g] = new platform::Frame(u8(kGroupCaptions[g]), this);
    Frame1 = new platform::Frame(QString(), tabs[4]);
    Frame2 = new platform::Frame(QString(), tabs[4]);
    for (platform::Frame* frame : {Frame1, Frame2}) {
        frame->setFlat(true);
        frame->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0px; padding: 0px; }"));
    }

    auto makeLabel = [this](int index, const QString& caption, QWidget* parent) {
        Label1[index] = new platform::Label(caption, parent);
        Label1[index]->setWordWrap(false);
    };

    // Texts, each with its caption.
    static const int textGroups[kTextCount] = {0, 0, 0, 5, 5, 6};
    for (int i = 0; i < kTextCount; ++i) {
        QWidget* group = tabs[textGroups[i]];
        makeLabel(kTextLabels[i], u8(kTextCaptions[i]), group);
        setBold(Label1[kTextLabels[i]]);
        Text1[i] = new platform::TextBox(u8(kTextInitial[i]), group);
    }

    // Lists: the group that holds each (7 Frame1, 8 Frame2), with its caption.
    static const int listGroups[kListCount] = {0, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 5, 4, 4,
                                               4, 4, 4, 4, 4, 4, 4, 4, 4, 7, 8, 3, 3, 3, 3, 3, 4, 4};
    for (int i = 0; i < kListCount; ++i) {
        const int g = listGroups[i];
        QWidget* parent = g == 7 ? Frame1 : g == 8 ? Frame2 : static_cast<QWidget*>(tabs[g]);
        if (kListLabels[i] >= 0)
            makeLabel(kListLabels[i], u8(kListCaptions[i]), parent);
        Combo1[i] = new platform::ComboList(parent);
        for (const char* item : kListItems[i])
            Combo1[i]->addListItem(u8(item));
    }
    setBold(Label1[3]);
    setBold(Label1[20]);

    // Check boxes outside the structure frames.
    auto makeCheck = [this](int index, QWidget* parent) {
        Check1[index] = new platform::CheckBox(u8(kCheckCaptions[index]), kCheckInitial[index], parent);
    };
    for (int index : {0, 40, 2, 1, 3, 4})
        makeCheck(index, tabs[1]);
    for (int index : {5, 6, 7, 8, 9, 10, 11})
        makeCheck(index, tabs[5]);
    makeCheck(12, tabs[4]);
    makeCheck(36, tabs[4]);
    makeCheck(38, tabs[3]);
    makeCheck(39, tabs[3]);
    for (int index : {1, 12, 36})
        setBold(Check1[index]);

    // The two structure frames share one layout.
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 3; ++col) {
            if (kEdgeBoxes[r][col] >= 0)
                makeCheck(kEdgeBoxes[r][col], Frame1);
            if (kCornerBoxes[r][col] >= 0)
                makeCheck(kCornerBoxes[r][col], Frame2);
        }
    makeLabel(37, u8(kFrameRows[0]), Frame1);
    makeLabel(38, u8(kFrameRows[1]), Frame1);
    makeLabel(42, u8(kFrameRows[0]), Frame2);
    makeLabel(41, u8(kFrameRows[1]), Frame2);

    // Bold sub-headings.
    makeLabel(23, u8(kHeading23), tabs[1]);
    makeLabel(21, u8(kHeading21), tabs[5]);
    makeLabel(43, u8(kHeading43), tabs[3]);
    makeLabel(46, u8(kHeading46), tabs[3]);
    makeLabel(24, u8(kHeading24), tabs[4]);
    makeLabel(28, u8(kHeading28), tabs[4]);
    for (int index : {21, 23, 24, 28, 43, 46})
        setBold(Label1[index]);

    // Buttons and the article box.
    Command3 = new platform::CommandButton(QStringLiteral("隐藏评测"), tabs[6]);
    Command3->hide();
    Command2[0] = new platform::CommandButton(QStringLiteral("保存"), tabs[6]);
    Command2[1] = new platform::CommandButton(QStringLiteral("读取"), tabs[6]);
    Command1 = new platform::CommandButton(QStringLiteral("生成评测"), tabs[6]);

    Text2 = new ArticleBox(this);
    Text2->hide();
    Text2->raise();
    placeControls();
}

}  // namespace review
