#include "mosaic/undo_history.h"

#include <algorithm>
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
    qint64 bytes = comingBytes_;
    for (const QImage& s : spares_)
        bytes += s.sizeInBytes();
    return bytes;
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
    for (QImage& s : spares_)
        if (found.isNull() && s.size() == size && s.isDetached())
            found = std::exchange(s, QImage());
    if (found.isNull() && coming_.valid()) {
        // Waits at most for the rest of the work already under way.
        QImage prepared = coming_.get();
        comingBytes_ = 0;
        if (prepared.size() == size)
            found = std::move(prepared);
    }
    // Spares of another size serve no more.
    spares_.erase(std::remove_if(spares_.begin(), spares_.end(),
                                 [&](const QImage& s) { return s.isNull() || s.size() != size; }),
                  spares_.end());
    return found;
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
    // Only a buffer nothing else holds, of the picture's size, while a picture is watched.
    if (!picture_ || spare.isNull() || !spare.isDetached() || spare.format() != QImage::Format_RGB32 ||
        spare.size() != picture_->image().size())
        return;
    if (int(spares_.size()) >= kSpares)
        spares_.erase(spares_.begin());
    spares_.push_back(std::move(spare));
}

void UndoHistory::prepareSpare()
{
    // A history of one slot gets the buffer back at every push.
    if (!picture_ || slotCount() < 2 || coming_.valid() || !spares_.empty())
        return;
    const QSize size = picture_->image().size();
    const qint64 bytes = qint64(size.width()) * size.height() * qint64(sizeof(QRgb));
    if (bytes < kPrepareFrom || bytes > kPrepareUpTo)
        return;
    try {
        comingBytes_ = bytes;
        coming_ = std::async(std::launch::async, [size] {
            QImage fresh = platform::newPictureImage(size);
            if (!fresh.isNull())
                std::memset(fresh.bits(), 0, size_t(fresh.sizeInBytes()));  // the system's pages, now
            return fresh;
        });
    } catch (const std::system_error&) {
        comingBytes_ = 0;  // no thread to be had: the next step takes fresh memory itself
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
