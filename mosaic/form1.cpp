#include "mosaic/form1.h"

#include "mosaic/builtin_pictures.h"
#include "mosaic/effects.h"
#include "mosaic/form2.h"
#include "platform/color_value.h"
#include "platform/numbers.h"
#include "platform/skin.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include "platform/u8.h"

namespace mosaic {

using namespace platform;

namespace {

template <typename T, typename... Args>
T* make(QWidget* parent, int x, int y, int w, int h, Args&&... args)
{
    T* control = new T(std::forward<Args>(args)..., parent);
    control->setGeometry(x, y, w, h);
    return control;
}

using platform::u8;

// Pure face colours of the target boxes.
constexpr std::array<int32_t, 6> kTargetTints{
    rgbValue(255, 0, 0), rgbValue(0, 255, 0), rgbValue(0, 0, 255),
    rgbValue(255, 255, 255), rgbValue(255, 128, 0), rgbValue(255, 255, 0)};

// Spaces out the characters of a caption "A  ...  B" standing at the left of
// A's box, so that B starts at the left of its box: each glyph stands over
// its box at any font.
void spreadOverBoxes(Label* caption, const QWidget* second)
{
    const QString text = caption->text();
    const qsizetype last = text.size() - 1;  // B, the caption's last character
    if (last <= 0)
        return;
    QFont font = caption->font();
    const int advance = QFontMetrics(font).horizontalAdvance(text.left(last));
    const int wanted = second->x() - caption->x();
    font.setLetterSpacing(QFont::AbsoluteSpacing, qreal(wanted - advance) / qreal(last));
    caption->setFont(font);
}

}  // namespace

Form1::Form1(const QString& folder, QWidget* parent) : Form1(folder, Edition::V10, parent)
{
}

// Edition 0.9 gets the controls both editions share; its own window sets the
// title, the size and the places.
Form1::Form1(const QString& folder, Edition edition, QWidget* parent)
    : QWidget(parent), programFolder(folder), edition_(edition)
{
    if (edition_ == Edition::V10) {
        setWindowTitle(QStringLiteral("Tilvane v1.0"));
        setFixedSize(8940 / kTwipsPerPixel, 5790 / kTwipsPerPixel);
    }
    setWindowIcon(windowIconPicture());
    createControls();
    connectHandlers();
}

Form1::~Form1()
{
    delete form2_;
}

int Form1::effectCount() const
{
    return edition_ == Edition::V10 ? kEffects : kErase;
}

// Controls of edition 1.0 only are left out of edition 0.9, and the shared
// ones whose edition 1.0 frame is absent there stand on the window itself.
void Form1::createControls()
{
    const bool full = edition_ == Edition::V10;
    Label4 = make<Label>(this, 8, 2, 260, 18, u8("拖放图片来载入↓"));
    Picture1 = make<PictureBox>(this, 8, 20, 260, 247);
    Picture1->setAutoSize(true);
    Picture1->setImage(startPicture());
    Picture1->setDropTarget(true);
    Picture1->lower();

    Frame1 = make<Frame>(this, 284, 4, 306, 170, u8("图形设定"));
    Label1 = make<Label>(Frame1, 10, 21, 130, 18, u8("宽        高"));
    Text1 = make<TextBox>(Frame1, 10, 38, 60, 20, u8("131"));
    Text2 = make<TextBox>(Frame1, 80, 38, 60, 20, u8("124"));
    Label5 = make<Label>(Frame1, 150, 21, 80, 18, u8("矩形大小"));
    Text6 = make<TextBox>(Frame1, 150, 38, 40, 20, u8("3"));
    Check1 = make<CheckBox>(Frame1, 200, 38, 52, 20, u8("网格"), 1);
    Text5 = make<TextBox>(Frame1, 254, 38, 40, 20, u8("1"));
    Check3 = make<CheckBox>(Frame1, 10, 62, 100, 20, u8("魔方分隔线"), 0);
    Text7 = make<TextBox>(Frame1, 112, 62, 30, 20, u8("3"));
    Label6 = make<Label>(Frame1, 146, 64, 20, 18, u8("阶"));
    Label2 = make<Label>(Frame1, 10, 118, 80, 18, u8("识别色差"));
    const char* targets[6] = {"-3", "26", "65", "55", "26", "30"};
    for (int i = 0; i < 6; ++i) {
        Text3[i] = make<TextBox>(Frame1, 10 + i * 48, 138, 44, 20, u8(targets[i]));
        setBackColor(Text3[i], kTargetTints[i]);
    }
    Label13 = make<Label>(Frame1, 176, 62, 124, 50, u8("造价"));
    if (full)
        spreadOverBoxes(Label1, Text2);

    Frame2 = make<Frame>(this, 284, 178, 150, 104, u8("配色设定"));
    Check2 = make<CheckBox>(Frame2, 8, 20, 130, 16, u8("白底魔方"), 0);
    for (int i = 0; i < 6; ++i)
        Combo1[i] = make<ComboList>(Frame2, 8 + (i % 2) * 70, 37 + (i / 2) * 21, 66, 20);

    QWidget* colorBox = this;
    if (full)
        colorBox = Frame6 = make<Frame>(this, 440, 178, 150, 150, u8("色彩调整"));
    Label8 = make<Label>(colorBox, 8, 22, 60, 18, u8("拾取颜色"));
    Label7 = make<Label>(colorBox, 70, 20, 72, 18, u8("000000"));
    Label9 = make<Label>(colorBox, 8, 43, 60, 18, u8("替换为"));
    Combo2 = make<ComboList>(colorBox, 70, 41, 72, 20);
    Label10 = make<Label>(colorBox, 8, 64, 60, 18, u8("容许色差"));
    Text4 = make<TextBox>(colorBox, 70, 62, 30, 20, u8("25"));
    Command3 = make<CommandButton>(colorBox, 104, 62, 38, 20, u8("替换"));
    if (full)
        createBrushAndCurveControls();

    QWidget* effectBox = full ? static_cast<QWidget*>(Frame5) : this;
    const char* effects[7] = {"平滑", "浮雕", "风化", "腐蚀", "变暗", "扩散", "擦除"};
    for (int i = 0; i < effectCount(); ++i)
        Command5[i] = make<CommandButton>(effectBox, 112 + (i / 4) * 76, 20 + (i % 4) * 23, 72, 22, u8(effects[i]));
    if (full)
        Command4[0] = make<CommandButton>(Frame5, 188, 89, 72, 22, u8("撤销"));

    QWidget* outputBox = this;
    if (full)
        outputBox = Frame3 = make<Frame>(this, 284, 288, 150, 94, u8("图像生成"));
    Command2 = make<CommandButton>(outputBox, 8, 20, 134, 22, u8("生成图片"));
    Command1 = make<CommandButton>(outputBox, 8, 44, 64, 22, u8("存为图片"));
    Command6 = make<CommandButton>(outputBox, 78, 44, 64, 22, u8("存为文本"));
    Text9 = make<TextBox>(outputBox, 8, 68, 134, 20, u8("RGBWOY"));

    // Below the client area: the size estimate and the processor count.
    Frame4 = make<Frame>(this, 284, 6210 / kTwipsPerPixel, 306, 64, u8("投资概预算"));
    Label11 = make<Label>(Frame4, 8, 24, 60, 18, u8("投入资金"));
    Text8 = make<TextBox>(Frame4, 70, 22, 60, 20, u8("1000"));
    Label12 = make<Label>(Frame4, 136, 21, 164, 38, QString());
    if (full)
        Frame4->hide();
    Label14 = make<Label>(this, 8, 6210 / kTwipsPerPixel, 120, 18, QString());
    Label14->hide();

    if (full) {
        // Right of the client area: the backing copy and the first undo slot.
        PicBACK = make<PictureBox>(this, 11190 / kTwipsPerPixel, 0, 260, 247);
        PicBACK->setAutoSize(true);
        PicBACK->setImage(startPicture());
        PicBACK->hide();
        Picture2.push_back(make<PictureBox>(this, 11250 / kTwipsPerPixel, 0, 16, 16));
        Picture2[0]->setAutoSize(true);
        Picture2[0]->hide();
    }

    menu1 = new QMenu(u8("菜单"), this);
    m1 = menu1->addAction(u8("保存图片"));
    m2 = menu1->addSeparator();
    m3 = menu1->addAction(u8("关闭"));
}

// Edition 1.0: the brush controls of Frame6, and Frame5 with the curve box.
void Form1::createBrushAndCurveControls()
{
    Option1[0] = make<OptionButton>(Frame6, 8, 84, 60, 18, u8("画笔"));
    Option1[1] = make<OptionButton>(Frame6, 70, 84, 76, 18, u8("颜色拾取"));
    Option1[1]->setChecked(true);
    Combo3 = make<ComboList>(Frame6, 8, 104, 64, 20);
    Command7[0] = make<CommandButton>(Frame6, 76, 104, 20, 20, u8("+"));
    Command7[1] = make<CommandButton>(Frame6, 98, 104, 20, 20, u8("-"));
    Line1 = new LineShape(Frame6);
    Line1->setPoints(124, 114, 142, 114);
    Command4[1] = make<CommandButton>(Frame6, 8, 125, 60, 20, u8("撤销"));

    Frame5 = make<Frame>(this, 8, 268, 268, 116, u8("图像效果"));
    picCurve = make<CurveEditor>(Frame5, 4, 14, 101, 101);
}

void Form1::connectHandlers()
{
    for (int i = 0; i < 6; ++i)
        connect(Combo1[i], &ComboList::click, this, [this, i] { Combo1_Click(i); });
    connectToolHandlers();
    setupWorkingPicture();
    if (edition_ == Edition::V10)
        connectCurveHandlers();
}

void Form1::Form_Load()
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
    const bool full = edition_ == Edition::V10;
    // 4. Tone curve.
    if (full)
        setupToneCurve();
    // 5. Preview background.
    gapColor = 0;
    // 6. Palette texts.
    palette.storeTexts();
    // 7. Show the window, centred.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    activateWindow();
    // 8. Lists.
    for (int face = 0; face < kFaces; ++face)
        Combo1[face]->fill(faceShadeNames(face));
    Combo2->fill(allShadeNames());
    if (full)
        Combo3->fill(allShadeNames());
    // 9. Brush colour and replace-with colour.
    if (full)
        Combo3->setListIndex(0);
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
    // 12. Undo history.
    if (full)
        setupUndoHistory();
}

std::array<double, kFaces> Form1::targetDistances() const
{
    std::array<double, kFaces> targets{};
    for (int i = 0; i < kFaces; ++i)
        targets[i] = leadingNumber(Text3[i]->text());
    return targets;
}

int16_t Form1::GetFace(int blue, int green, int red) const
{
    return faceOf(red + green * 256 + blue * 65536, targetDistances(), palette.faceColor);
}

void Form1::Combo1_Click(int face)
{
    const int slot = face * 10 + Combo1[face]->listIndex();
    if (slot < face * 10)
        return;
    Combo1[face]->setBackColor(palette.colorVal[slot]);
    palette.faceStr[face] = palette.colorStr[slot];
    palette.faceColor[face] = STR_to_RGB(palette.faceStr[face]);
    Command2->setFocus();
}

void Form1::writeBackingCopy()
{
    // Copies what changed since the last write, into a buffer of its own.
    if (!backingCopy_)
        backingCopy_ = std::make_unique<PictureCopy>(*Picture1, *PicBACK);
    backingCopy_->write();
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
}

void Form1::Form_QueryUnload()
{
    if (form2_)
        form2_->close();
}

}  // namespace mosaic
