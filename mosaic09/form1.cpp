#include "mosaic09/form1.h"

#include "platform/message_box.h"
#include "platform/u8.h"

namespace mosaic09 {

using namespace platform;

Form1::Form1(const QString& folder, QWidget* parent) : mosaic::Form1Base(folder, parent)
{
    createControls();
    connectHandlers();
    // Until the first backup it holds the picture the window starts with.
    Picture2.watch(Picture1);
    setWindowTitle(QStringLiteral("Tilvane v0.9"));
    setFixedSize(twipsToPixels(8940), twipsToPixels(5400));
    placeControls();
    connect(Command4, &CommandButton::clicked, this, [this] { Command4_Click(); });
}

void Form1::createControls()
{
    createWorkingPicture();
    createShapeFrame();
    // This edition's captions in Frame1.
    Check3->setText(u8("魔方外观线"));
    Label2->setCaption(u8("色差"));
    createColorFrame();
    Frame3 = new Frame(u8("色彩调整"), this);
    createColorReplace(Frame3);
    createEffectButtons(Frame3);
    createOutputControls(this);
    createEstimateFrame();
    createMenu();
    // Created last, it comes last in the tab order.
    Command4 = new CommandButton(u8("还原"), Frame3);
}

void Form1::Command4_Click()
{
    if (!Picture2.restore())
        platform::msgBox(this, QString::fromUtf8("图片太大，内存不足"), QString::fromUtf8("错误"));
}

void Form1::backupWorkingPicture()
{
    Picture2.backup();
}

void Form1::writeBackingCopy()
{
}

void Form1::takeRestorePoint()
{
    backupWorkingPicture();
}

}  // namespace mosaic09
