#include "mosaic/form2.h"

#include "platform/color_value.h"
#include "platform/controls.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace mosaic {

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QString::fromUtf8("图片预览"));
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    picture_ = new platform::PictureBox;
    picture_->setBackColor(0);
    picture_->resizeImage(1, 1);
    // The picture box fills the whole client area, at least the drawing's
    // size: where the window is larger than the drawing it shows the
    // background colour and takes the clicks.
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(picture_);
    followImageSize();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    connect(picture_, &platform::PictureBox::mouseUp, this, &Form2::Form_MouseUp);
}

bool Form2::startPattern(const QSize& size, int32_t backColor)
{
    // The image of the last pattern is reused when the size stays.
    if (picture_->image().size() == size) {
        picture_->imageForWriting().fill(platform::toQRgb(backColor));
        picture_->refresh();
    } else {
        QImage fresh(size, QImage::Format_RGB32);
        if (fresh.isNull())
            return false;
        fresh.fill(platform::toQRgb(backColor));
        picture_->setImage(fresh);
    }
    picture_->setBackColor(backColor);
    followImageSize();
    fitToImage();
    return true;
}

bool Form2::resizePattern(const QSize& size)
{
    const QImage& old = picture_->image();
    if (old.size() == size)
        return true;
    QImage fresh(size, QImage::Format_RGB32);
    if (fresh.isNull())
        return false;
    fresh.fill(platform::toQRgb(picture_->backColor()));
    {
        QPainter p(&fresh);
        p.drawImage(0, 0, old);
    }
    picture_->setImage(fresh);
    followImageSize();
    fitToImage();
    return true;
}

void Form2::followImageSize()
{
    picture_->setMinimumSize(picture_->image().size());
}

void Form2::fitToImage()
{
    QSize want = picture_->image().size();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size();
        if (want.width() > room.width() || want.height() > room.height()) {
            // Scroll bars take room of their own.
            want += QSize(scroll_->verticalScrollBar()->sizeHint().width(),
                          scroll_->horizontalScrollBar()->sizeHint().height());
            want = want.boundedTo(room);
        }
    }
    resize(want);
}

void Form2::Form_MouseUp(int button, int, double x, double y)
{
    if (button == platform::kRightButton && menu_)
        menu_->popup(picture_->mapToGlobal(QPointF(x, y)).toPoint());
}

void Form2::closeEvent(QCloseEvent* event)
{
    // The close box discards the drawing: the next use starts from a new,
    // black, hidden preview.
    ++discards_;
    picture_->setBackColor(0);
    picture_->resizeImage(1, 1);
    followImageSize();
    event->accept();
}

}  // namespace mosaic
