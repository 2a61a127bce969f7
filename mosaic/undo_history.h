// The undo history: snapshot slots of the working picture (100 in edition
// 1.0; edition 0.9's restore buffer is a history of one slot).
//
// A history that watches the working picture keeps a snapshot as what has
// changed since it was taken: each slot holds the old pixels of the tiles
// painted after it (saved as the painting reaches them), or, once the whole
// picture was replaced (an effect, a replace, an erase, a drop, the tone
// curve), the old picture itself. The newest snapshot is the picture now
// with its slot's tiles put back; an older one is the snapshot after it with
// its own tiles put back. So a brush stroke costs the pixels under it, and a
// full-picture step the buffer the picture gave up, never a copy.
//
// The pictures kept in memory stay within a budget (historyMemoryBudget()):
// beyond it the oldest are written, on a worker thread, to unnamed files in
// the system's temporary folder and read back when an undo reaches them. A
// written picture's buffer is kept for reuse by the next full-picture step.
// Only when a picture cannot be written either are the oldest steps dropped
// until the rest fits; the newest snapshot is always kept.
//
// At most one buffer that no slot holds is kept in reserve, whatever the
// picture's size, for the next full-picture step: one given back (an undone
// or overwritten step, a written picture) stays mapped for it. When a step
// kept the picture's own buffer, a fresh reserve is prepared on a worker
// thread once the step's handler is done with its pixels (or once the window
// is idle), so that it never competes with the step itself; a step never
// waits for that work: it takes the reserve as far as it got, or fresh
// memory. Buffers beyond the reserve are given back to the system on a
// worker thread.
#pragma once

#include "mosaic/picture_tiles.h"
#include "mosaic/stored_picture.h"
#include "platform/picture_buffer.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <vector>

namespace mosaic {

class UndoHistory : public platform::PictureWatcher {
public:
    static constexpr int kSlots = 100;
    // Pictures (in bytes) for which a reserve is prepared ahead: from a
    // picture that first writing into fresh memory makes slow.
    static constexpr qint64 kPrepareFrom = qint64{4} << 20;

    explicit UndoHistory(int count = kSlots);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Snapshots are from now on taken of this picture (null: none).
    void watch(platform::WatchedPicture* picture);

    // Start-up: index 0, slot 0 holds the start picture.
    void reset(const QImage& start);
    // Start-up of a watching history: slot 0 holds the picture as it is now.
    void reset();
    // Push: the next slot takes the picture; a full history drops slot 0
    // and moves every other snapshot down one slot.
    void push(const QImage& picture);
    // Push of a watching history: the next slot takes the picture as it is now.
    void push();
    // The newest snapshot (slot undoIndex) as a picture.
    QImage newest() const { return slot(undoIndex); }
    // Undo of a watching history: the watched picture takes back the newest
    // snapshot (which from then on is the picture as it is).
    // False when the snapshot cannot be read back or has no memory to go
    // to; the picture and the history then stay as they were.
    bool restoreNewest();
    // After a restore: one step back, never below 0.
    void stepBack();

    // Snapshot k as a picture (slots above undoIndex: what they still hold).
    QImage slot(int k) const;
    int slotCount() const { return int(slots_.size()); }

    // Bytes of pixels the history holds in memory: its snapshots (pictures
    // being written included) and its reserve (the one being prepared
    // included).
    qint64 heldBytes() const { return snapshotBytes() + spareBytes(); }
    qint64 snapshotBytes() const;
    qint64 spareBytes() const;
    // Bytes of pictures written out of memory.
    qint64 storedBytes() const;
    // The memory budget and the folder of the unnamed files (by default the
    // system's temporary folder).
    qint64 memoryBudget() const { return budget_; }
    void setMemoryBudget(qint64 bytes);
    void setStoreFolder(const QString& folder) { storeFolder_ = folder; }
    // Starts preparing the next step's reserve now, when the step before
    // kept the picture's own buffer: for a handler whose pixel work is done.
    void prepareReserve() { prepareSpare(); }
    // Waits for the work of the worker threads (a reserve being prepared,
    // pictures being written, buffers being given back) and takes its results.
    void settle();

    // Slot of the newest snapshot.
    int16_t undoIndex = 0;

    void aboutToPaint(const QRect& area) override;
    void replaced(QImage& old) override;
    QImage spareImage(const QSize& size) override;

private:
    struct Slot {
        // The snapshot's picture, once it no longer follows from the next
        // one (a pushed picture, or the picture a full-picture step
        // replaced): in memory, or stored out of it.
        QImage base;
        std::shared_ptr<StoredPicture> stored;
        // Tiles to put back over the base, or over the next snapshot (the
        // picture now, for the newest) when there is no base.
        SavedTiles tiles;

        bool hasBase() const { return !base.isNull() || stored; }
    };
    // A reserve being prepared, and the sign to stop preparing it.
    struct Coming {
        std::future<QImage> image;
        std::shared_ptr<std::atomic<bool>> stop;
        qint64 bytes = 0;
    };
    // Pictures being written, the buffer of the last one written (for
    // reuse), and the sign to write no more of them.
    struct Storing {
        std::future<QImage> buffer;
        std::vector<std::shared_ptr<StoredPicture>> pictures;
        std::shared_ptr<std::atomic<bool>> stop;
    };
    void release(Slot& s);
    // The base of a slot as a picture (read back when it was stored).
    QImage baseOf(const Slot& s, QImage buffer = QImage()) const;
    void keepSpare(QImage& image);
    // A buffer of that size nothing else holds: the reserve, the one being
    // prepared (as far as it got), or a written picture's; null when none.
    QImage takeBuffer(const QSize& size);
    // Prepares a fresh buffer of the picture's size on a worker thread once
    // the window is idle (or at once), unless a reserve is held or on its way.
    void prepareLater();
    void prepareSpare();
    // The reserve being prepared, as far as it got.
    QImage takePrepared();
    // Gives a buffer back to the system on a worker thread.
    void discard(QImage image);
    // Which tiles of the picture the newest slot holds, after it changed.
    void markNewest();
    // Keeps the pictures in memory within the budget: takes the results of
    // finished writes and starts writing the oldest pictures beyond it.
    void keepWithinBudget();
    void takeStored(bool wait);
    // Puts a picture that could not be written back into its slot.
    void unstore(const std::shared_ptr<StoredPicture>& picture);
    // Drops the oldest steps until the pictures in memory fit, keeping the
    // newest snapshot.
    void dropOldestBeyondBudget();
    void dropOldest();

    platform::WatchedPicture* picture_ = nullptr;
    std::vector<Slot> slots_;
    QImage spare_;    // the reserve
    Coming coming_;   // the reserve being prepared
    Storing storing_;
    std::future<void> discarding_;  // a buffer being given back
    qint64 budget_;
    QString storeFolder_;
    QObject idle_;  // runs the preparation once the window is idle
    bool preparing_ = false;
    TileGrid grid_;
    std::vector<uint8_t> saved_;  // per tile of grid_: the newest slot holds it
    bool restoring_ = false;
};

}  // namespace mosaic
