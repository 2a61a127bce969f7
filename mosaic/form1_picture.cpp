// The working picture of both editions: drop loading and colour picking.
#include "mosaic/form1_base.h"

#include "platform/color_value.h"
#include "platform/message_box.h"
#include "platform/screen_color.h"

#include <exception>

namespace mosaic {

using namespace platform;

namespace {

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

void Form1Base::setupWorkingPicture()
{
    connect(Picture1, &PictureBox::fileDropped, this, &Form1Base::Picture1_OLEDragDrop);
    connect(Picture1, &PictureBox::click, this, &Form1Base::Picture1_Click);
    connect(Command2, &CommandButton::clicked, this, &Form1Base::Command2_Click);
    connect(Command1, &CommandButton::clicked, this, &Form1Base::Command1_Click);
    connect(Command6, &CommandButton::clicked, this, &Form1Base::Command6_Click);
    connect(m1, &QAction::triggered, this, &Form1Base::m1_Click);
    connect(m3, &QAction::triggered, this, &Form1Base::m3_Click);
}

void Form1Base::Picture1_OLEDragDrop(const QString& file)
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

void Form1Base::Picture1_Click()
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

}  // namespace mosaic
