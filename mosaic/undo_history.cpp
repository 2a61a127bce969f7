#include "mosaic/undo_history.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <system_error>
#include <utility>

namespace mosaic {

UndoHistory::UndoHistory(int count) : slots_(size_t(std::max(count, 1)))
{
}

UndoHistory::~UndoHistory()
{
    if (picture_)
        picture_->removeWatcher(this);
    settle();
}

void UndoHistory::settle()
{
    if (coming_.valid())
        coming_.wait();
    if (discarding_.valid())
        discarding_.wait();
}

void UndoHistory::watch(platform::PictureBox* picture)
{
    if (picture_)
        picture_->removeWatcher(this);
    picture_ = picture;
    if (picture_)
        picture_->addWatcher(this);
    markNewest();
}

void UndoHistory::reset(const QImage& start)
{
    for (Slot& s : slots_)
        release(s);
    undoIndex = 0;
    slots_[0].base = start;
    markNewest();
}

void UndoHistory::reset()
{
    for (Slot& s : slots_)
        release(s);
    undoIndex = 0;
    markNewest();
}

void UndoHistory::push(const QImage& picture)
{
    // The newest snapshot stops following the watched picture.
    Slot& newest = slots_[size_t(undoIndex)];
    if (picture_ && newest.base.isNull())
        newest.base = picture_->image();
    push();
    slots_[size_t(undoIndex)].base = picture;
    markNewest();
}

void UndoHistory::push()
{
    ++undoIndex;
    if (undoIndex > slotCount() - 1) {
        undoIndex = int16_t(slotCount() - 1);
        release(slots_[0]);
        std::rotate(slots_.begin(), slots_.begin() + 1, slots_.end());
    }
    // An undone snapshot left in this slot is overwritten.
    release(slots_[size_t(undoIndex)]);
    markNewest();
}

void UndoHistory::restoreNewest()
{
    if (!picture_)
        return;
    Slot s = std::exchange(slots_[size_t(undoIndex)], Slot{});
    restoring_ = true;
    if (!s.base.isNull()) {
        picture_->setImage(s.base);
        s.base = QImage();  // the picture alone holds it now
    }
    const TileGrid grid(picture_->image().size());
    for (int32_t i : s.tiles.index)
        picture_->imageForWriting(grid.rect(i));  // tells the other watchers what changes
    s.tiles.putBack(picture_->imageForWriting(QRect()), grid);
    restoring_ = false;
    picture_->refresh();
    markNewest();
}

void UndoHistory::stepBack()
{
    if (undoIndex <= 0) {
        undoIndex = 0;
        return;
    }
    if (picture_) {
        // The snapshot below followed from this one: it takes over what this
        // one still holds (nothing after a restore).
        Slot& top = slots_[size_t(undoIndex)];
        Slot& below = slots_[size_t(undoIndex) - 1];
        if (below.base.isNull()) {
            below.base = std::move(top.base);
            below.tiles.addMissing(top.tiles);
        }
        release(top);
    }
    --undoIndex;
    markNewest();
}

QImage UndoHistory::slot(int k) const
{
    if (k < 0 || k >= slotCount())
        return QImage();
    if (k > undoIndex || !picture_)
        return slots_[size_t(k)].base;
    QImage image = picture_->image();
    for (int j = undoIndex; j >= k; --j) {
        const Slot& s = slots_[size_t(j)];
        if (!s.base.isNull())
            image = s.base;
        s.tiles.putBack(image, TileGrid(image.size()));  // into a copy of its own
    }
    return image;
}

qint64 UndoHistory::heldBytes() const
{
    qint64 bytes = spareBytes();
    std::vector<const uchar*> seen;
    for (const Slot& s : slots_) {
        if (!s.base.isNull() && std::find(seen.begin(), seen.end(), s.base.constBits()) == seen.end()) {
            seen.push_back(s.base.constBits());
            bytes += s.base.sizeInBytes();
        }
        bytes += s.tiles.bytes();
    }
    return bytes;
}

qint64 UndoHistory::spareBytes() const
{
    return comingBytes_ + spare_.sizeInBytes();
}

void UndoHistory::aboutToPaint(const QRect& area)
{
    if (restoring_ || !picture_)
        return;
    Slot& s = slots_[size_t(undoIndex)];
    if (!s.base.isNull())
        return;  // the snapshot no longer follows the picture
    const QImage& now = picture_->image();
    if (grid_.size() != now.size())
        markNewest();
    grid_.forEachTile(area, [&](int i) {
        if (saved_[size_t(i)])
            return;
        saved_[size_t(i)] = 1;
        s.tiles.save(now, grid_, i);
    });
}

void UndoHistory::replaced(QImage& old)
{
    Slot& s = slots_[size_t(undoIndex)];
    if (!restoring_ && s.base.isNull()) {
        // The newest snapshot is the old picture with its saved tiles put back.
        s.base = std::exchange(old, QImage());
        prepareSpare();
        return;
    }
    keepSpare(old);
}

QImage UndoHistory::spareImage(const QSize& size)
{
    QImage found;
    if (spare_.size() == size && spare_.isDetached())
        found = std::exchange(spare_, QImage());
    if (found.isNull()) {
        QImage prepared = takePrepared();
        if (prepared.size() == size)
            found = std::move(prepared);
        else
            discard(std::move(prepared));
    }
    // A reserve of another size serves no more.
    if (!spare_.isNull() && spare_.size() != size)
        discard(std::exchange(spare_, QImage()));
    // The step that asks keeps the picture's own buffer in the newest
    // snapshot: the next step's reserve is prepared while this one runs.
    if (!restoring_ && picture_ && slots_[size_t(undoIndex)].base.isNull() && picture_->image().size() == size)
        prepareSpare();
    return found;
}

QImage UndoHistory::takePrepared()
{
    if (!coming_.valid() || coming_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return QImage();
    comingBytes_ = 0;
    return coming_.get();
}

void UndoHistory::release(Slot& s)
{
    keepSpare(s.base);
    s.base = QImage();
    s.tiles = SavedTiles();
}

void UndoHistory::keepSpare(QImage& image)
{
    QImage spare = std::exchange(image, QImage());
    if (spare.isNull() || !spare.isDetached())
        return;  // another image still holds its pixels
    // Only a buffer of the picture's size, while a picture is watched, and
    // only one: the reserve.
    if (!picture_ || spare.format() != QImage::Format_RGB32 || spare.size() != picture_->image().size() ||
        !spare_.isNull()) {
        discard(std::move(spare));
        return;
    }
    if (coming_.valid()) {
        // A buffer at hand serves better than one still being prepared.
        QImage prepared = takePrepared();
        if (prepared.isNull()) {
            discard(std::move(spare));
            return;
        }
        discard(std::move(prepared));
    }
    spare_ = std::move(spare);
}

void UndoHistory::prepareSpare()
{
    // A history of one slot gets the buffer back at every push.
    if (!picture_ || slotCount() < 2 || coming_.valid() || !spare_.isNull())
        return;
    const QSize size = picture_->image().size();
    const qint64 bytes = qint64(size.width()) * size.height() * qint64(sizeof(QRgb));
    if (bytes < kPrepareFrom)
        return;
    try {
        comingBytes_ = bytes;
        coming_ = std::async(std::launch::async, [size] {
            QImage fresh = platform::newPictureImage(size);
            platform::touchPages(fresh, 2);  // the system hands out its pages now, not at the first write
            return fresh;
        });
    } catch (const std::system_error&) {
        comingBytes_ = 0;  // no thread to be had: the next step takes fresh memory itself
    }
}

void UndoHistory::discard(QImage image)
{
    if (image.isNull())
        return;
    if (!image.isDetached() || image.sizeInBytes() < kPrepareFrom)
        return;  // small, or still held elsewhere: dropped here
    // Giving a picture's memory back takes milliseconds: not on this thread.
    if (discarding_.valid())
        discarding_.wait();
    try {
        discarding_ = std::async(std::launch::async, [image = std::move(image)]() mutable { image = QImage(); });
    } catch (const std::system_error&) {
        // No thread to be had: the buffer goes here, with the lambda.
    }
}

void UndoHistory::markNewest()
{
    grid_ = TileGrid(picture_ ? picture_->image().size() : QSize());
    saved_.assign(size_t(grid_.count()), 0);
    for (int32_t i : slots_[size_t(undoIndex)].tiles.index)
        if (i < grid_.count())
            saved_[size_t(i)] = 1;
}

}  // namespace mosaic
