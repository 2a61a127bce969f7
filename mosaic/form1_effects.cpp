// The effect buttons and the colour replace of the working picture. The pixel
// work runs over the picture's rows (mosaic/effects.h); the handlers take the
// snapshot, show the busy caption and put the result back.
#include "mosaic/effects.h"
#include "mosaic/estimates.h"
#include "mosaic/form1.h"
#include "platform/message_box.h"
#include "platform/numbers.h"

#include <chrono>

namespace mosaic {

using namespace platform;

namespace {

QString busySuffix()
{
    return QString::fromUtf8("-图像处理中...");
}

// Seed of the diffuse effect, taken from the timer at each run.
uint64_t timerSeed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch();
    return uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

}  // namespace

void Form1::connectToolHandlers()
{
    for (int i = 0; i < effectCount(); ++i)
        connect(Command5[i], &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Text1, &TextBox::change, this, [this] { Text1_Change(); });
    connect(Text2, &TextBox::change, this, [this] { Text2_Change(); });
    connect(Text8, &TextBox::change, this, [this] { Text8_Change(); });
}

ColorValue Form1::shadeColorByName(const QString& name) const
{
    ColorValue color = 0;
    for (int face = 0; face < kFaces; ++face)
        for (int j = 0; j < Combo1[face]->count(); ++j)
            if (name == Combo1[face]->itemText(j))
                color = STR_to_RGB(palette.colorStr[face * 10 + j]);
    return color;
}

void Form1::Command5_Click(int index)
{
    if (index < 0 || index >= effectCount())
        return;
    setWindowTitle(windowTitle() + busySuffix());
    takeRestorePoint();
    if (index == kErase) {
        // The picture keeps its size and shows its plain background.
        Picture1->cls();
        setWindowTitle(windowTitle().remove(busySuffix()));
        writeBackingCopy();
    } else {
        if (!applyEffect(index, Picture1->image(), effectBuffer_, index == kDiffuse ? timerSeed() : 0)) {
            setWindowTitle(windowTitle().remove(busySuffix()));
            msgBox(this, QString::fromUtf8("图片太大，内存不足"), QString::fromUtf8("错误"));
            return;
        }
        QImage previous = Picture1->image();
        Picture1->setImage(effectBuffer_);
        // The source becomes the next result buffer; while the undo history
        // holds it too, the next effect takes a fresh one.
        effectBuffer_ = std::move(previous);
        writeBackingCopy();
        setWindowTitle(windowTitle().remove(busySuffix()));
    }
    // The brush keeps its colour; an edition without a brush has none.
    if (Combo3)
        Picture1->setForeColor(shadeColorByName(Combo3->currentText()));
}

void Form1::Command3_Click()
{
    const QString toleranceText = Text4->text();
    const double tolerance = leadingNumber(toleranceText);
    if (leadingNumberTooLarge(toleranceText) || !fitsInt16(tolerance)) {
        msgBox(this, QString::fromUtf8("容许色差超出范围（-32768～32767）"), QString::fromUtf8("错误"));
        return;
    }
    const int16_t limit = toInt16(tolerance);
    takeRestorePoint();
    const ColorValue color = shadeColorByName(Combo2->currentText());
    Picture1->setForeColor(color);
    // Painted on a handle of its own, so that a failed copy leaves the picture.
    QImage picture = Picture1->image();
    if (replaceColor(picture, pickedColor, limit, color) < 0) {
        msgBox(this, QString::fromUtf8("图片太大，内存不足"), QString::fromUtf8("错误"));
        return;
    }
    Picture1->setImage(picture);
}

}  // namespace mosaic
