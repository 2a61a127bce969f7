// The effect buttons and the colour replace of the working picture, in both
// editions. The pixel work runs over the picture's rows (mosaic/effects.h);
// the handlers take the restore point, show the busy caption and put the
// result back.
#include "mosaic/effects.h"
#include "mosaic/estimates.h"
#include "mosaic/form1_base.h"
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

void Form1Base::connectToolHandlers()
{
    for (int i = 0; i < effectCount(); ++i)
        connect(Command5[i], &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Text1, &TextBox::change, this, [this] { Text1_Change(); });
    connect(Text2, &TextBox::change, this, [this] { Text2_Change(); });
    connect(Text8, &TextBox::change, this, [this] { Text8_Change(); });
}

ColorValue Form1Base::shadeColorByName(const QString& name) const
{
    ColorValue color = 0;
    for (int face = 0; face < kFaces; ++face)
        for (int j = 0; j < Combo1[face]->count(); ++j)
            if (name == Combo1[face]->itemText(j))
                color = STR_to_RGB(palette.colorStr[face * 10 + j]);
    return color;
}

void Form1Base::Command5_Click(int index)
{
    if (index < 0 || index >= effectCount())
        return;
    setWindowTitle(windowTitle() + busySuffix());
    takeRestorePoint();
    if (!paintEffect(index)) {
        setWindowTitle(windowTitle().remove(busySuffix()));
        msgBox(this, QString::fromUtf8("图片太大，内存不足"), QString::fromUtf8("错误"));
        return;
    }
    writeBackingCopy();
    setWindowTitle(windowTitle().remove(busySuffix()));
    afterEffect();
}

void Form1Base::Command3_Click()
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
    if (limit < 0 || pickedColor < 0)
        return;  // nothing is near
    // Painted into a result buffer, so that a failed allocation leaves the
    // picture and the picture's buffer goes to the restore point whole.
    QImage result = Picture1->resultBuffer();
    if (replaceColor(Picture1->image(), result, pickedColor, limit, color) < 0) {
        msgBox(this, QString::fromUtf8("图片太大，内存不足"), QString::fromUtf8("错误"));
        return;
    }
    Picture1->setImage(result);
    afterReplace();
}

bool Form1Base::paintEffect(int index)
{
    // The result goes into a spare buffer of the restore point's when it has
    // one; the picture's own buffer then becomes the restore point.
    QImage result = Picture1->resultBuffer();
    if (!applyEffect(index, Picture1->image(), result, index == kDiffuse ? timerSeed() : 0))
        return false;
    Picture1->setImage(result);
    return true;
}

}  // namespace mosaic
