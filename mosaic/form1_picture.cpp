// The working picture: drop loading, colour picking, the brush and its width
// and colour controls.
#include "mosaic/form1.h"

#include "platform/color_value.h"
#include "platform/message_box.h"
#include "platform/numbers.h"
#include "platform/screen_color.h"

#include <exception>

namespace mosaic {

using namespace platform;

namespace {

int pixelOf(double coordinate)
{
    return int(roundHalfEven(coordinate));
}

// Sets a box's text; its change handler runs also when the text stays the
// same (the box itself reports only a changed text).
void assignText(TextBox* box, const QString& text)
{
    if (box->text() == text)
        emit box->change();
    else
        box->setText(text);
}

}  // namespace

void Form1::setupWorkingPicture()
{
    connect(Picture1, &PictureBox::fileDropped, this, &Form1::Picture1_OLEDragDrop);
    connect(Picture1, &PictureBox::click, this, &Form1::Picture1_Click);
    connect(Command2, &CommandButton::clicked, this, &Form1::Command2_Click);
    connect(Command1, &CommandButton::clicked, this, &Form1::Command1_Click);
    connect(Command6, &CommandButton::clicked, this, &Form1::Command6_Click);
    connect(m1, &QAction::triggered, this, &Form1::m1_Click);
    connect(m3, &QAction::triggered, this, &Form1::m3_Click);
    // The brush and the undo buttons; edition 0.9 has neither and keeps the
    // drawing width of one pixel.
    if (edition_ != Edition::V10)
        return;
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

void Form1::Picture1_OLEDragDrop(const QString& file)
{
    if (!file.isEmpty()) {
        try {
            const PictureLoad loaded = Picture1->loadPicture(file);
            if (loaded == PictureLoad::TooLarge) {
                // A failed load with a message of its own; the restore point
                // follows as after any failed load.
                msgBox(this, QString::fromUtf8("图片太大，内存不足"), QString::fromUtf8("错误"));
            } else if (loaded != PictureLoad::Loaded) {
                throw std::runtime_error("no picture");
            } else {
                writeBackingCopy();
                // Each assignment runs the box's change handler, also when the
                // box already holds that text.
                assignText(Text1, QString::number(Picture1->imageWidth()));
                assignText(Text2, QString::number(Picture1->imageHeight()));
            }
        } catch (const std::exception&) {
            msgBox(this, QString::fromUtf8("不支持的图片格式"), QString::fromUtf8("错误"));
        }
    }
    takeRestorePoint();
}

void Form1::Picture1_Click()
{
    // Where the screen cannot be read, nothing changes.
    const std::optional<int32_t> color = screenColorUnderCursor();
    if (!color || *color < 0)
        return;
    const ColorValue c = *color;
    Label7->setBackColor(c);
    Label7->setForeColor(rgbValue(255 - GetR(c), 255 - GetG(c), 255 - GetB(c)));
    Label7->setCaption(QString::number(c, 16).toUpper().rightJustified(6, QLatin1Char('0')));
    pickedColor = c;
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
