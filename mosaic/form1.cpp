#include "mosaic/form1.h"

#include "mosaic/builtin_pictures.h"
#include "mosaic/effects.h"
#include "platform/u8.h"

namespace mosaic {

using namespace platform;

Form1::Form1(const QString& folder, QWidget* parent) : Form1Base(folder, parent)
{
    setWindowTitle(QStringLiteral("Tilvane v1.0"));
    setFixedSize(twipsToPixels(8940), twipsToPixels(5790));
    createControls();
    placeControls();
    connectHandlers();
    setupBrush();
    connectCurveHandlers();
}

void Form1::createControls()
{
    createWorkingPicture();
    createShapeFrame();
    createColorFrame();

    Frame6 = new Frame(u8("色彩调整"), this);
    createColorReplace(Frame6);
    Option1[0] = new OptionButton(u8("画笔"), Frame6);
    Option1[1] = new OptionButton(u8("颜色拾取"), Frame6);
    Option1[1]->setChecked(true);
    Combo3 = new ComboList(Frame6);
    Command7[0] = new CommandButton(u8("+"), Frame6);
    Command7[1] = new CommandButton(u8("-"), Frame6);
    Line1 = new LineShape(Frame6);
    Command4[1] = new CommandButton(u8("撤销"), Frame6);

    Frame5 = new Frame(u8("图像效果"), this);
    picCurve = new CurveEditor(Frame5);
    createEffectButtons(Frame5);
    Command5.push_back(new CommandButton(u8("擦除"), Frame5));
    Command4[0] = new CommandButton(u8("撤销"), Frame5);

    Frame3 = new Frame(u8("图像生成"), this);
    createOutputControls(Frame3);

    // Below the client area, hidden: the size estimate and the processor count.
    createEstimateFrame();
    Frame4->hide();

    PicBACK = new PictureBox(this);
    PicBACK->setAutoSize(true);
    PicBACK->setImage(startPicture());
    PicBACK->hide();
    Picture2.push_back(new PictureBox(this));
    Picture2[0]->setAutoSize(true);
    Picture2[0]->hide();

    createMenu();
}

void Form1::loadBeforeShow()
{
    setupToneCurve();
}

void Form1::loadLists()
{
    Combo3->fill(allShadeNames());
    Combo3->setListIndex(0);
}

void Form1::loadLast()
{
    setupUndoHistory();
}

bool Form1::paintEffect(int index)
{
    if (index != kErase)
        return Form1Base::paintEffect(index);
    // The picture keeps its size and shows its plain background.
    Picture1->cls();
    return true;
}

void Form1::afterEffect()
{
    Picture1->setForeColor(shadeColorByName(Combo3->currentText()));
    undoHistory.prepareReserve();
}

void Form1::afterReplace()
{
    undoHistory.prepareReserve();
}

void Form1::writeBackingCopy()
{
    // Copies what changed since the last write, into a buffer of its own.
    if (!backingCopy_)
        backingCopy_ = std::make_unique<PictureCopy>(*Picture1, *PicBACK);
    backingCopy_->write();
}

}  // namespace mosaic
