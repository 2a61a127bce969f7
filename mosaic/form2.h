// The preview window "图片预览": a persistent image that generation draws the
// pattern into, shown whole (scroll bars when larger than the screen), with
// the main window's pop-up menu on a right click.
#pragma once

#include "platform/picture_box.h"

#include <QWidget>

class QMenu;
class QScrollArea;

namespace mosaic {

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    platform::PictureBox* picture() const { return picture_; }
    void setPopupMenu(QMenu* menu) { menu_ = menu; }
    QMenu* popupMenu() const { return menu_; }

    // A fresh image of the pattern's size in the background colour; false
    // (nothing changed) when it cannot be allocated.
    bool startPattern(const QSize& size, int32_t backColor);
    // The image takes a new size, keeping what is drawn at the top left;
    // new area shows the background colour.
    bool resizePattern(const QSize& size);
    // Sizes the window to show the image whole, within the screen.
    void fitToImage();

    // Counts the closings by the close box: a running generation stops when
    // it changes.
    int discardCount() const { return discards_; }

    void Form_MouseUp(int button, int shift, double x, double y);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The picture box is never smaller than its image.
    void followImageSize();

    platform::PictureBox* picture_;
    QScrollArea* scroll_;
    QMenu* menu_ = nullptr;
    int discards_ = 0;
};

}  // namespace mosaic
