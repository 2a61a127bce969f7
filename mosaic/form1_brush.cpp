// Edition 1.0's brush on the working picture: the brush and picker options,
// the strokes, and the brush's width and colour controls.
#include "mosaic/form1.h"

#include "platform/numbers.h"

namespace mosaic {

using namespace platform;

namespace {

int pixelOf(double coordinate)
{
    return int(roundHalfEven(coordinate));
}

}  // namespace

// The brush and the undo buttons, drawing five pixels wide at first.
void Form1::setupBrush()
{
    Line1->setBorderWidth(5);
    Picture1->setDrawWidth(5);
    connect(Picture1, &PictureBox::mouseDown, this, &Form1::Picture1_MouseDown);
    connect(Picture1, &PictureBox::mouseMove, this, &Form1::Picture1_MouseMove);
    connect(Picture1, &PictureBox::mouseUp, this, &Form1::Picture1_MouseUp);
    for (int16_t i = 0; i < 2; ++i) {
        connect(Option1[size_t(i)], &OptionButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
        connect(Command7[size_t(i)], &CommandButton::clicked, this, [this, i] { Command7_Click(i); });
        connect(Command4[size_t(i)], &CommandButton::clicked, this, [this, i] { Command4_Click(i); });
    }
    connect(Combo3, &ComboList::click, this, &Form1::Combo3_Click);
}

void Form1::Option1_Click(int16_t index)
{
    Option1[0]->update();
    Option1[1]->update();
    brushMode = index == 0;
}

void Form1::Picture1_MouseDown(int, int, double x, double y)
{
    penDown = true;
    if (brushMode)
        saveUndo();
    lastX = float(x);
    lastY = float(y);
}

void Form1::Picture1_MouseMove(int, int, double x, double y)
{
    if (!penDown || !brushMode)
        return;
    Picture1->line(pixelOf(lastX), pixelOf(lastY), pixelOf(x), pixelOf(y), Picture1->foreColor());
    lastX = float(x);
    lastY = float(y);
}

void Form1::Picture1_MouseUp(int, int, double, double)
{
    penDown = false;
    writeBackingCopy();
}

void Form1::Command7_Click(int16_t index)
{
    int width = Line1->borderWidth() - (2 * index - 1);
    if (width < 1)
        width = 1;
    Line1->setBorderWidth(width);
    Picture1->setDrawWidth(width);
}

void Form1::Combo3_Click()
{
    const ColorValue color = shadeColorByName(Combo3->currentText());
    Combo3->setBackColor(color);
    Picture1->setForeColor(color);
    Command2->setFocus();
}

}  // namespace mosaic
