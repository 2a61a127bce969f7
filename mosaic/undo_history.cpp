#include "mosaic/undo_history.h"

#include "mosaic/memory_budget.h"

#include <QDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <system_error>
#include <utility>

namespace mosaic {

UndoHistory::UndoHistory(int count)
    : slots_(size_t(std::max(count, 1))), budget_(historyMemoryBudget()), storeFolder_(QDir::tempPath())
{
}

UndoHistory::~UndoHistory()
{
    if (picture_)
        picture_->removeWatcher(this);
    // Closing ends at once: no further picture is written, nor the reserve touched.
    if (storing_.stop)
        storing_.stop->store(true);
    if (coming_.stop)
        coming_.stop->store(true);
    settle();
}

void UndoHistory::settle()
{
    if (coming_.image.valid())
        coming_.image.wait();
    takeStored(true);
    if (discarding_.valid())
        discarding_.wait();
}

void UndoHistory::setMemoryBudget(qint64 bytes)
{
    budget_ = bytes;
    keepWithinBudget();
}

void UndoHistory::watch(platform::WatchedPicture* picture)
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
    if (picture_ && !newest.hasBase())
        newest.base = picture_->image();
    push();
    slots_[size_t(undoIndex)].base = picture;
    markNewest();
    keepWithinBudget();
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

bool UndoHistory::restoreNewest()
{
    if (!picture_)
        return true;
    takeStored(false);
    Slot& top = slots_[size_t(undoIndex)];
    QImage base = top.base;
    if (top.stored) {
        base = top.stored->load(takeBuffer(top.stored->size()));
        if (base.isNull())
            return false;
    }
    Slot s = std::exchange(top, Slot{});
    restoring_ = true;
    if (!base.isNull()) {
        s.base = QImage();
        s.stored.reset();
        picture_->setImage(base);
        base = QImage();  // the picture alone holds it now
    }
    const TileGrid grid(picture_->image().size());
    for (int32_t i : s.tiles.index)
        picture_->imageForWriting(grid.rect(i));  // tells the other watchers what changes
    s.tiles.putBack(picture_->imageForWriting(QRect()), grid);
    restoring_ = false;
    picture_->refresh();
    markNewest();
    return true;
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
        if (!below.hasBase()) {
            below.base = std::move(top.base);
            below.stored = std::move(top.stored);
            below.tiles.addMissing(top.tiles);
        }
        release(top);
    }
    --undoIndex;
    markNewest();
}

QImage UndoHistory::baseOf(const Slot& s, QImage buffer) const
{
    if (s.stored)
        return s.stored->load(std::move(buffer));
    return s.base;
}

QImage UndoHistory::slot(int k) const
{
    if (k < 0 || k >= slotCount())
        return QImage();
    if (k > undoIndex || !picture_)
        return baseOf(slots_[size_t(k)]);
    QImage image = picture_->image();
    for (int j = undoIndex; j >= k; --j) {
        const Slot& s = slots_[size_t(j)];
        if (s.hasBase())
            image = baseOf(s);
        s.tiles.putBack(image, TileGrid(image.size()));  // into a copy of its own
    }
    return image;
}

qint64 UndoHistory::snapshotBytes() const
{
    qint64 bytes = 0;
    std::vector<const uchar*> seen;
    for (const Slot& s : slots_) {
        if (!s.base.isNull() && std::find(seen.begin(), seen.end(), s.base.constBits()) == seen.end()) {
            seen.push_back(s.base.constBits());
            bytes += s.base.sizeInBytes();
        }
        if (s.stored)
            bytes += s.stored->heldBytes();
        bytes += s.tiles.bytes();
    }
    return bytes;
}

qint64 UndoHistory::spareBytes() const
{
    return coming_.bytes + spare_.sizeInBytes();
}

qint64 UndoHistory::storedBytes() const
{
    qint64 bytes = 0;
    for (const Slot& s : slots_)
        if (s.stored && s.stored->state() == StoredPicture::State::Written)
            bytes += s.stored->bytes();
    return bytes;
}

void UndoHistory::aboutToPaint(const QRect& area)
{
    if (restoring_ || !picture_)
        return;
    Slot& s = slots_[size_t(undoIndex)];
    if (s.hasBase())
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
    if (!restoring_ && !s.hasBase()) {
        // The newest snapshot is the old picture with its saved tiles put back.
        s.base = std::exchange(old, QImage());
        keepWithinBudget();
        prepareLater();
        return;
    }
    keepSpare(old);
}

QImage UndoHistory::spareImage(const QSize& size)
{
    takeStored(false);  // a written picture's buffer may be waiting
    return takeBuffer(size);
}

QImage UndoHistory::takeBuffer(const QSize& size)
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
    return found;
}

QImage UndoHistory::takePrepared()
{
    if (!coming_.image.valid())
        return QImage();
    // Its pages touched so far serve all the same: the rest waits for the
    // step's own first writes.
    coming_.stop->store(true);
    QImage prepared = coming_.image.get();
    coming_ = Coming{};
    return prepared;
}

void UndoHistory::release(Slot& s)
{
    keepSpare(s.base);
    s.base = QImage();
    s.stored.reset();
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
    // A buffer at hand serves better than one still being prepared.
    discard(takePrepared());
    spare_ = std::move(spare);
}

void UndoHistory::prepareLater()
{
    if (preparing_)
        return;
    preparing_ = true;
    QTimer::singleShot(0, &idle_, [this] {
        preparing_ = false;
        prepareSpare();
    });
}

void UndoHistory::prepareSpare()
{
    // A history of one slot gets the buffer back at every push; a picture
    // being written gives its buffer up when it is done.
    if (!picture_ || slotCount() < 2 || coming_.image.valid() || !spare_.isNull() || storing_.buffer.valid())
        return;
    const QSize size = picture_->image().size();
    const qint64 bytes = qint64(size.width()) * size.height() * qint64(sizeof(QRgb));
    if (bytes < kPrepareFrom)
        return;
    try {
        auto stop = std::make_shared<std::atomic<bool>>(false);
        coming_.image = std::async(std::launch::async, [size, stop] {
            QImage fresh = platform::newPictureImage(size);
            platform::touchPages(fresh, 2, stop.get());  // the system hands out its pages now, not at the first write
            return fresh;
        });
        coming_.stop = std::move(stop);
        coming_.bytes = bytes;
    } catch (const std::system_error&) {
        coming_ = Coming{};  // no thread to be had: the next step takes fresh memory itself
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

void UndoHistory::keepWithinBudget()
{
    takeStored(false);
    if (storing_.buffer.valid())
        return;  // one batch at a time
    qint64 held = snapshotBytes();
    if (held <= budget_)
        return;
    // The oldest pictures first, the newest snapshot's last: the next undo
    // reads it. A picture the working picture shows too frees nothing.
    const uchar* shown = picture_ ? picture_->image().constBits() : nullptr;
    std::vector<std::shared_ptr<StoredPicture>> batch;
    auto store = [&](Slot& s) {
        if (held <= budget_ || s.base.isNull() || !s.base.isDetached() || s.base.constBits() == shown)
            return;
        held -= s.base.sizeInBytes();
        s.stored = std::make_shared<StoredPicture>(std::exchange(s.base, QImage()));
        batch.push_back(s.stored);
    };
    for (int k = 0; k < undoIndex; ++k)
        store(slots_[size_t(k)]);
    store(slots_[size_t(undoIndex)]);
    if (batch.empty())
        return;
    auto stop = std::make_shared<std::atomic<bool>>(false);
    try {
        storing_.buffer = std::async(std::launch::async, [batch, stop, folder = storeFolder_] {
            QImage kept;
            for (const auto& picture : batch) {
                if (stop->load())
                    break;
                QImage given = picture->write(folder);
                if (!given.isNull() && given.isDetached())
                    kept = std::move(given);  // the one kept before goes back to the system here
            }
            return kept;
        });
    } catch (const std::system_error&) {
        // No thread to be had: nothing is written, the oldest steps go.
        for (const auto& picture : batch)
            unstore(picture);
        dropOldestBeyondBudget();
        return;
    }
    storing_.pictures = std::move(batch);
    storing_.stop = std::move(stop);
}

void UndoHistory::takeStored(bool wait)
{
    if (!storing_.buffer.valid())
        return;
    if (!wait && storing_.buffer.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    QImage buffer = storing_.buffer.get();
    bool failed = false;
    for (const auto& picture : storing_.pictures) {
        if (picture->state() != StoredPicture::State::Written) {
            failed = true;
            unstore(picture);
        }
    }
    storing_ = Storing{};
    keepSpare(buffer);
    // Neither memory nor the disk holds them: the oldest steps go.
    if (failed)
        dropOldestBeyondBudget();
}

void UndoHistory::unstore(const std::shared_ptr<StoredPicture>& picture)
{
    for (Slot& s : slots_) {
        if (s.stored == picture) {
            s.base = picture->held();
            s.stored.reset();
        }
    }
}

void UndoHistory::dropOldestBeyondBudget()
{
    while (undoIndex > 0 && snapshotBytes() > budget_)
        dropOldest();
}

void UndoHistory::dropOldest()
{
    release(slots_[0]);
    std::rotate(slots_.begin(), slots_.begin() + 1, slots_.end());
    --undoIndex;
    markNewest();
}

}  // namespace mosaic
