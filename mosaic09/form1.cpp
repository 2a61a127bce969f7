#include "mosaic09/form1.h"

#include "platform/controls.h"
#include "platform/message_box.h"
#include "platform/picture_box.h"
#include "platform/u8.h"

namespace mosaic09 {

using namespace platform;

namespace {

using platform::u8;

// Moves a control into another container at a place in pixels.
void moveInto(QWidget* control, QWidget* container, int x, int y, int w, int h)
{
    control->setParent(container);
    control->setGeometry(x, y, w, h);
}

}  // namespace

Form1::Form1(const QString& folder, QWidget* parent)
    : mosaic::Form1(folder, mosaic::Edition::V09, parent), Picture2(Picture1)
{
    setWindowTitle(QStringLiteral("Tilvane v0.9"));
    setFixedSize(8940 / kTwipsPerPixel, 5400 / kTwipsPerPixel);
    placeControls();
    connect(Command4, &CommandButton::clicked, this, [this] { Command4_Click(); });
}

void Form1::placeControls()
{
    // Places fixed in twips.
    placeTwips(Frame1, 60, 60, 3105, 2505);
    placeTwips(Frame2, 3180, 60, 1695, 2505);
    Frame3 = new Frame(u8("色彩调整"), this);
    placeTwips(Frame3, 60, 2580, 4815, 1455);
    placeTwips(Frame4, 60, 4080, 1695, 1245);
    placeTwips(Command2, 1860, 4140, 975, 315);
    placeTwips(Command1, 2880, 4140, 975, 315);
    placeTwips(Command6, 2880, 4530, 975, 315);
    placeTwips(Text9, 3900, 4530, 975, 315);
    placeTwips(Label4, 4950, 60, 1440, 180);
    placeTwips(Picture1, 4950, 300, 3930, 3735);

    // Frame1 "图形设定", with this edition's two captions. The cost takes the
    // right of the top rows: three lines up to "CNY 99999999.99".
    Check3->setText(u8("魔方外观线"));
    Label2->setCaption(u8("色差"));
    Label1->setGeometry(8, 20, 84, 16);
    Text1->setGeometry(8, 36, 40, 20);
    Text2->setGeometry(50, 36, 40, 20);
    Label13->setGeometry(94, 20, 110, 44);
    Label5->setGeometry(8, 66, 50, 16);
    Text6->setGeometry(58, 64, 30, 20);
    Check1->setGeometry(96, 64, 50, 20);
    Text5->setGeometry(148, 64, 36, 20);
    Check3->setGeometry(8, 90, 84, 20);
    Text7->setGeometry(94, 90, 24, 20);
    Label6->setGeometry(120, 92, 14, 16);
    Label2->setGeometry(8, 116, 60, 16);
    for (size_t i = 0; i < Text3.size(); ++i)
        Text3[i]->setGeometry(8 + int(i) * 32, 134, 30, 20);

    // Frame2 "配色设定": one column, wide enough for every shade name.
    Check2->setGeometry(6, 20, 100, 17);
    for (size_t i = 0; i < Combo1.size(); ++i)
        Combo1[i]->setGeometry(5, 38 + int(i) * 21, 103, 20);

    // Frame3 "色彩调整": the six effects and "还原" left, the colour replace right.
    for (int i = 0; i < effectCount(); ++i)
        moveInto(Command5[size_t(i)], Frame3, 8 + (i % 3) * 52, 20 + (i / 3) * 24, 48, 22);
    Command4 = new CommandButton(u8("还原"), Frame3);
    Command4->setGeometry(8, 68, 48, 22);
    moveInto(Label8, Frame3, 172, 24, 60, 16);
    moveInto(Label7, Frame3, 236, 22, 76, 18);
    moveInto(Label9, Frame3, 172, 48, 60, 16);
    moveInto(Combo2, Frame3, 236, 46, 76, 20);
    moveInto(Label10, Frame3, 172, 72, 60, 16);
    moveInto(Text4, Frame3, 236, 70, 34, 20);
    moveInto(Command3, Frame3, 274, 70, 38, 20);

    // Frame4 "投资概预算", visible in this edition.
    Label11->setGeometry(6, 24, 50, 16);
    Text8->setGeometry(56, 22, 50, 20);
    Label12->setGeometry(6, 44, 100, 34);
}

RestoreBuffer::RestoreBuffer(platform::PictureBox* picture)
{
    // Until the first backup it holds the picture the window starts with.
    history_.watch(picture);
    history_.reset();
}

bool RestoreBuffer::restore()
{
    return history_.restoreNewest();
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
