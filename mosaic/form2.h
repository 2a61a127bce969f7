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

    void Form_MouseUp(int button, int shift, double x, double y);

private:
    platform::PictureBox* picture_;
    QScrollArea* scroll_;
    QMenu* menu_ = nullptr;
};

}  // namespace mosaic
