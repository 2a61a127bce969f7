#include "mosaic/form1_base.h"

#include "mosaic/builtin_pictures.h"
#include "mosaic/effects.h"
#include "mosaic/form2.h"
#include "platform/color_value.h"
#include "platform/numbers.h"
#include "platform/skin.h"
#include "platform/u8.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace mosaic {

using namespace platform;

namespace {

// Pure face colours of the target boxes.
constexpr std::array<int32_t, 6> kTargetTints{
    rgbValue(255, 0, 0), rgbValue(0, 255, 0), rgbValue(0, 0, 255),
    rgbValue(255, 255, 255), rgbValue(255, 128, 0), rgbValue(255, 255, 0)};

}  // namespace

Form1Base::Form1Base(const QString& folder, QWidget* parent) : QWidget(parent), programFolder(folder)
{
    setWindowIcon(windowIconPicture());
}

Form1Base::~Form1Base()
{
    delete form2_;
}

void Form1Base::createWorkingPicture()
{
    Label4 = new Label(u8("拖放图片来载入↓"), this);
    Picture1 = new PictureBox(this);
    Picture1->setAutoSize(true);
    Picture1->setImage(startPicture());
    Picture1->setDropTarget(true);
    Picture1->lower();
}

void Form1Base::createShapeFrame()
{
    Frame1 = new Frame(u8("图形设定"), this);
    Label1 = new Label(u8("宽        高"), Frame1);
    Text1 = new TextBox(u8("131"), Frame1);
    Text2 = new TextBox(u8("124"), Frame1);
    Label5 = new Label(u8("矩形大小"), Frame1);
    Text6 = new TextBox(u8("3"), Frame1);
    Check1 = new CheckBox(u8("网格"), 1, Frame1);
    Text5 = new TextBox(u8("1"), Frame1);
    Check3 = new CheckBox(u8("魔方分隔线"), 0, Frame1);
    Text7 = new TextBox(u8("3"), Frame1);
    Label6 = new Label(u8("阶"), Frame1);
    Label2 = new Label(u8("识别色差"), Frame1);
    const char* targets[6] = {"-3", "26", "65", "55", "26", "30"};
    for (int i = 0; i < 6; ++i) {
        Text3[i] = new TextBox(u8(targets[i]), Frame1);
        setBackColor(Text3[i], kTargetTints[i]);
    }
    Label13 = new Label(u8("造价"), Frame1);
}

void Form1Base::createColorFrame()
{
    Frame2 = new Frame(u8("配色设定"), this);
    Check2 = new CheckBox(u8("白底魔方"), 0, Frame2);
    for (int i = 0; i < 6; ++i)
        Combo1[i] = new ComboList(Frame2);
}

void Form1Base::createColorReplace(QWidget* box)
{
    Label8 = new Label(u8("拾取颜色"), box);
    Label7 = new Label(u8("000000"), box);
    Label9 = new Label(u8("替换为"), box);
    Combo2 = new ComboList(box);
    Label10 = new Label(u8("容许色差"), box);
    Text4 = new TextBox(u8("25"), box);
    Command3 = new CommandButton(u8("替换"), box);
}

void Form1Base::createEffectButtons(QWidget* box)
{
    const char* effects[kErase] = {"平滑", "浮雕", "风化", "腐蚀", "变暗", "扩散"};
    for (const char* effect : effects)
        Command5.push_back(new CommandButton(u8(effect), box));
}

void Form1Base::createOutputControls(QWidget* box)
{
    Command2 = new CommandButton(u8("生成图片"), box);
    Command1 = new CommandButton(u8("存为图片"), box);
    Command6 = new CommandButton(u8("存为文本"), box);
    Text9 = new TextBox(u8("RGBWOY"), box);
}

// The size estimate and the processor count.
void Form1Base::createEstimateFrame()
{
    Frame4 = new Frame(u8("投资概预算"), this);
    Label11 = new Label(u8("投入资金"), Frame4);
    Text8 = new TextBox(u8("1000"), Frame4);
    Label12 = new Label(QString(), Frame4);
    Label14 = new Label(QString(), this);
    Label14->hide();
}

void Form1Base::createMenu()
{
    menu1 = new QMenu(u8("菜单"), this);
    m1 = menu1->addAction(u8("保存图片"));
    m2 = menu1->addSeparator();
    m3 = menu1->addAction(u8("关闭"));
}

void Form1Base::connectHandlers()
{
    for (int i = 0; i < 6; ++i)
        connect(Combo1[i], &ComboList::click, this, [this, i] { Combo1_Click(i); });
    connectToolHandlers();
    setupWorkingPicture();
}

void Form1Base::Form_Load()
{
    // 1. Processor count.
    cpuThreads = toInt16(processorCount());
    Label14->setCaption(u8("CPU线程:") + QString::number(cpuThreads));
    // 2. Skin engine; its result is not used.
    SkinH_AttachEx(QStringLiteral("m.she"), QString());
    // 3. The preview window, hidden.
    form2_ = new Form2;
    form2_->setWindowIcon(windowIcon());
    form2_->setPopupMenu(menu1);
    // 4. The edition's own start-up before the window shows.
    loadBeforeShow();
    // 5. Preview background.
    gapColor = 0;
    // 6. Palette texts.
    palette.storeTexts();
    // 7. Show the window, centred.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    activateWindow();
    // 8. Lists, and 9. the replace-with colour.
    for (int face = 0; face < kFaces; ++face)
        Combo1[face]->fill(faceShadeNames(face));
    Combo2->fill(allShadeNames());
    loadLists();
    Combo2->setListIndex(0);
    // 10. Colour values.
    palette.computeValues();
    // 11. Face colours.
    for (int face = 0; face < kFaces; ++face) {
        Combo1[face]->setListIndex(0);
        const int slot = face * 10 + Combo1[face]->listIndex();
        Combo1[face]->setBackColor(palette.colorVal[slot]);
        palette.faceStr[face] = palette.colorStr[slot];
        palette.faceColor[face] = STR_to_RGB(palette.faceStr[face]);
    }
    // 12. The edition's last start-up step.
    loadLast();
}

std::array<double, kFaces> Form1Base::targetDistances() const
{
    std::array<double, kFaces> targets{};
    for (int i = 0; i < kFaces; ++i)
        targets[i] = leadingNumber(Text3[i]->text());
    return targets;
}

int16_t Form1Base::GetFace(int blue, int green, int red) const
{
    return faceOf(red + green * 256 + blue * 65536, targetDistances(), palette.faceColor);
}

void Form1Base::Combo1_Click(int face)
{
    const int slot = face * 10 + Combo1[face]->listIndex();
    if (slot < face * 10)
        return;
    Combo1[face]->setBackColor(palette.colorVal[slot]);
    palette.faceStr[face] = palette.colorStr[slot];
    palette.faceColor[face] = STR_to_RGB(palette.faceStr[face]);
    Command2->setFocus();
}

void Form1Base::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
}

void Form1Base::Form_QueryUnload()
{
    if (form2_)
        form2_->close();
}

}  // namespace mosaic
