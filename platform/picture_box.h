// Picture box with a persistent image: everything drawn on it stays in its
// own 32-bit image, which is what point queries read and saves write. Pixel
// code reaches it as a WatchedPicture.
// Coordinates are image pixels from the top-left corner.
#pragma once

#include "platform/picture_buffer.h"

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace platform {

enum class PictureLoad { Loaded, NotAPicture, TooLarge };

class PictureBox : public QWidget, public WatchedPicture {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    const QImage& image() const override { return image_; }
    // Replaces the image (converted to 32-bit RGB); with autoSize on the box
    // takes the image's size.
    void setImage(const QImage& image) override;
    // A fresh image of the given size filled with the back colour.
    void resizeImage(int width, int height);
    // Loads a picture file. The image stays unchanged when the file is no
    // picture, or when the picture is larger than kMaxPicturePixels or its
    // memory cannot be had (TooLarge).
    PictureLoad loadPicture(const QString& path);
    // Saves the image as a 24-bit BMP, whole or not at all; on failure an
    // earlier file stays as it was and `reason` gets the system's description.
    bool saveBmp(const QString& path, QString* reason = nullptr) const;

    int imageWidth() const { return image_.width(); }
    int imageHeight() const { return image_.height(); }

    // Colour value at a pixel, -1 outside the image.
    int32_t point(int x, int y) const;
    void pset(int x, int y, int32_t color);
    // Line in the drawing width, both end points included.
    void line(int x1, int y1, int x2, int y2, int32_t color);
    // Filled box with both corners included.
    void fillBox(int x1, int y1, int x2, int y2, int32_t color);
    // Fills the image with the back colour.
    void cls();

    // Direct access for whole-row work; call refresh() after writing. With an
    // area, the caller writes only inside it.
    QImage& imageForWriting() override;
    QImage& imageForWriting(const QRect& area) override;
    // For a writer that sets every pixel: the box takes a buffer of the same
    // size (a watcher's spare or a fresh one), whose pixels are undefined,
    // and its watchers receive the old image.
    QImage& imageForOverwrite() override;
    // A buffer of the image's size for a result that is to replace the
    // image: a watcher's spare, or a fresh one (null when there is no memory).
    QImage resultBuffer();
    void refresh() override { update(); }

    // Watchers are told of every change to the image; they must be removed
    // before they go.
    void addWatcher(PictureWatcher* watcher) override;
    void removeWatcher(PictureWatcher* watcher) override;

    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int width) { drawWidth_ = width < 1 ? 1 : width; }
    // Drawing colour (the brush colour of a working picture).
    int32_t foreColor() const { return foreColor_; }
    void setForeColor(int32_t color) { foreColor_ = color; }
    int32_t backColor() const { return backColor_; }
    void setBackColor(int32_t color);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on) { autoSize_ = on; }
    // Accept dropped files: fileDropped() carries the first local file, or an
    // empty text when the drop held none.
    void setDropTarget(bool on) { setAcceptDrops(on); }

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    // A press and release of any button, both inside the box.
    void click();
    void fileDropped(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void aboutToPaint(const QRect& area);
    void aboutToPaintLine(int x1, int y1, int x2, int y2);
    void replaceImage(QImage next);

    QImage image_;
    std::vector<PictureWatcher*> watchers_;
    int drawWidth_ = 1;
    int32_t backColor_ = 0xFFFFFF;
    int32_t foreColor_ = 0;
    bool autoSize_ = false;
    // Buttons pressed inside the box and not yet released.
    Qt::MouseButtons pressedInside_;
};

}  // namespace platform
