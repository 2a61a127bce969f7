#include "platform/picture_box.h"

#include "platform/bitmap_access.h"
#include "platform/color_value.h"
#include "platform/controls.h"
#include "platform/file_reader.h"
#include "platform/picture_header.h"
#include "platform/text_file.h"

#include <QBuffer>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImageReader>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <new>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

bool isInside(const QSize& box, const QPointF& p)
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < box.width() && p.y() < box.height();
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(toQRgb(backColor_));
}

void PictureBox::setImage(const QImage& image)
{
    replaceImage(image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32));
    if (autoSize_)
        resize(image_.size());
    update();
}

void PictureBox::replaceImage(QImage next)
{
    QImage old = std::exchange(image_, std::move(next));
    for (PictureWatcher* w : watchers_)
        w->replaced(old);
}

void PictureBox::addWatcher(PictureWatcher* watcher)
{
    if (std::find(watchers_.begin(), watchers_.end(), watcher) == watchers_.end())
        watchers_.push_back(watcher);
}

void PictureBox::removeWatcher(PictureWatcher* watcher)
{
    watchers_.erase(std::remove(watchers_.begin(), watchers_.end(), watcher), watchers_.end());
}

void PictureBox::aboutToPaint(const QRect& area)
{
    const QRect inside = area.intersected(image_.rect());
    if (inside.isEmpty())
        return;
    for (PictureWatcher* w : watchers_)
        w->aboutToPaint(inside);
}

// The pixels a line in the drawing width can reach, told in pieces along the
// line so that a long slanted line does not count as its whole bounding box.
// The painter steps along a wide line with a rounded slope, so its edge
// strays from the ideal line by up to about a pixel every 65,536 pixels of
// length: the reach allows twice that.
void PictureBox::aboutToPaintLine(int x1, int y1, int x2, int y2)
{
    if (watchers_.empty())
        return;
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const int64_t length = std::max(std::abs(dx), std::abs(dy));
    const int reach = int(drawWidth_ / 2 + 2 + length / 32768);
    constexpr int64_t kPiece = 32;
    const int64_t pieces = std::min<int64_t>(length / kPiece + 1, 4096);
    for (int64_t i = 0; i < pieces; ++i) {
        const QPoint a(int(x1 + dx * i / pieces), int(y1 + dy * i / pieces));
        const QPoint b(int(x1 + dx * (i + 1) / pieces), int(y1 + dy * (i + 1) / pieces));
        const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
        aboutToPaint(box.adjusted(-reach, -reach, reach, reach));
    }
}

QImage& PictureBox::imageForWriting()
{
    return imageForWriting(image_.rect());
}

QImage& PictureBox::imageForWriting(const QRect& area)
{
    aboutToPaint(area);
    return image_;
}

QImage& PictureBox::imageForOverwrite()
{
    if (watchers_.empty())
        return image_;
    QImage fresh = resultBuffer();
    if (fresh.isNull())  // no memory for a second buffer: write in place
        return imageForWriting();
    replaceImage(std::move(fresh));
    return image_;
}

QImage PictureBox::resultBuffer()
{
    for (PictureWatcher* w : watchers_) {
        QImage spare = w->spareImage(image_.size());
        if (spare.size() == image_.size() && spare.format() == QImage::Format_RGB32)
            return spare;
    }
    return newPictureImage(image_.size());
}

void PictureBox::resizeImage(int width, int height)
{
    QImage fresh(qMax(width, 1), qMax(height, 1), QImage::Format_RGB32);
    fresh.fill(toQRgb(backColor_));
    setImage(fresh);
}

PictureLoad PictureBox::loadPicture(const QString& path)
{
    // The reader's default limit (128 MiB) refuses a phone's full-size photo.
    // The picture box counts pixels instead, and lets the reader take up to
    // 8 bytes for each (16-bit colour channels with alpha).
    QImageReader::setAllocationLimit(int(kMaxPicturePixels * 8 / (1024 * 1024)) + 1);
    // Opened without waiting, regular files only; the pixel limit caps what
    // is read.
    QFile file;
    try {
        if (!file.open(openRegularFile(AT_FDCWD, QFile::encodeName(path)).release(), QIODevice::ReadOnly,
                       QFileDevice::AutoCloseHandle))
            return PictureLoad::NotAPicture;
    } catch (const TextFileError&) {
        return PictureLoad::NotAPicture;
    }
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    QSize size = reader.size();
    if (!size.isValid()) {
        // The JPEG and BMP readers refuse a header beyond what they decode
        // without telling its size: the header itself tells it.
        file.seek(0);
        size = declaredPictureSize(file);
        file.seek(0);
        reader.setDevice(&file);
    }
    if (size.isValid() && !pictureSizeLoadable(size))
        return PictureLoad::TooLarge;
    QImage loaded;
    bool outOfMemory = false;
    try {
        loaded = reader.read();
        if (loaded.isNull()) {
            // The reader reports a picture whose memory it could not get like
            // bad data: a picture of the size its header gives that cannot be
            // had tells the two apart.
            outOfMemory = size.isValid() && QImage(size, QImage::Format_RGB32).isNull();
        } else if (loaded.format() != QImage::Format_RGB32) {
            loaded = loaded.convertToFormat(QImage::Format_RGB32);
            outOfMemory = loaded.isNull();
        }
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    if (outOfMemory)
        return PictureLoad::TooLarge;
    if (loaded.isNull())
        return PictureLoad::NotAPicture;
    if (!pictureSizeLoadable(loaded.size()))
        return PictureLoad::TooLarge;
    setImage(loaded);
    return PictureLoad::Loaded;
}

bool PictureBox::saveBmp(const QString& path, QString* reason) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    try {
        if (!image_.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
            throw TextFileError("图片无法编码为BMP");
        writeFileAtomic(path, bytes);
    } catch (const TextFileError& e) {
        if (reason)
            *reason = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

int32_t PictureBox::point(int x, int y) const
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return kNoColor;
    return fromQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

void PictureBox::pset(int x, int y, int32_t color)
{
    if (drawWidth_ <= 1) {
        if (x >= 0 && y >= 0 && x < image_.width() && y < image_.height()) {
            aboutToPaint(QRect(x, y, 1, 1));
            reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = toQRgb(color);
        }
    } else {
        const int reach = drawWidth_ / 2 + 2;
        aboutToPaint(QRect(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1));
        QPainter p(&image_);
        p.setPen(QPen(toQColor(color), drawWidth_, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(x, y);
    }
    update();
}

void PictureBox::line(int x1, int y1, int x2, int y2, int32_t color)
{
    aboutToPaintLine(x1, y1, x2, y2);
    QPainter p(&image_);
    p.setPen(QPen(toQColor(color), drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(x1, y1, x2, y2);
    update();
}

void PictureBox::fillBox(int x1, int y1, int x2, int y2, int32_t color)
{
    const QRect box = QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2), qMax(y1, y2)))
                          .intersected(image_.rect());
    if (box.isEmpty())
        return;
    aboutToPaint(box);
    const QRgb c = toQRgb(color);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + box.left(), row + box.right() + 1, c);
    }
    update();
}

void PictureBox::cls()
{
    // In row bands: a fresh buffer's pages are then handed out to several
    // threads at once.
    QImage& image = imageForOverwrite();
    const QRgb c = toQRgb(backColor_);
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int width = image.width();
    forEachRowBand(image.height(), 256, [=](int first, int last) {
        for (int y = first; y < last; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + stride * y);
            std::fill(row, row + width, c);
        }
    });
    update();
}

void PictureBox::setBackColor(int32_t color)
{
    backColor_ = color;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
    p.drawImage(0, 0, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (isInside(size(), event->position()))
        pressedInside_ |= event->button();
    emit mouseDown(mouseButtonOf(event->button()), shiftStateOf(event->modifiers()),
                   event->position().x(), event->position().y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(mouseButtonsOf(event->buttons()), shiftStateOf(event->modifiers()),
                   event->position().x(), event->position().y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseUp(mouseButtonOf(event->button()), shiftStateOf(event->modifiers()),
                 event->position().x(), event->position().y());
    // A click follows the release of any button, when both the press and
    // the release lay inside the box.
    const bool clicked = (pressedInside_ & event->button()) && isInside(size(), event->position());
    pressedInside_ &= ~Qt::MouseButtons(event->button());
    if (clicked)
        emit click();
}

void PictureBox::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void PictureBox::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void PictureBox::dropEvent(QDropEvent* event)
{
    QString path;
    if (const QMimeData* data = event->mimeData()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                path = url.toLocalFile();
                break;
            }
        }
    }
    event->acceptProposedAction();
    emit fileDropped(path);
}

}  // namespace platform
