#include "mosaic/form2.h"

#include "platform/controls.h"

#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

namespace mosaic {

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QString::fromUtf8("图片预览"));
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    picture_ = new platform::PictureBox;
    picture_->setAutoSize(true);
    picture_->setBackColor(0);
    scroll_->setWidget(picture_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    connect(picture_, &platform::PictureBox::mouseUp, this, &Form2::Form_MouseUp);
}

void Form2::Form_MouseUp(int button, int, double, double)
{
    if (button == platform::kRightButton && menu_)
        menu_->popup(QCursor::pos());
}

}  // namespace mosaic
