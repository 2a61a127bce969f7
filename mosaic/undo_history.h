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
// At most one buffer that no slot holds is kept in reserve, whatever the
// picture's size, for the next full-picture step. When a step is about to
// keep the picture's own buffer, a fresh reserve is prepared on a worker
// thread at once, while the step itself runs, so that the next step (even one
// right after) seldom meets memory the system has still to hand out; a step
// never waits for that work, it takes fresh memory itself instead. Buffers
// beyond the reserve are given back to the system on a worker thread.
#pragma once

#include "mosaic/picture_tiles.h"
#include "platform/picture_box.h"

#include <QImage>
#include <cstdint>
#include <future>
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

    // Snapshots are from now on taken of this picture box (null: none).
    void watch(platform::PictureBox* picture);

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
    void restoreNewest();
    // After a restore: one step back, never below 0.
    void stepBack();

    // Snapshot k as a picture (slots above undoIndex: what they still hold).
    QImage slot(int k) const;
    int slotCount() const { return int(slots_.size()); }

    // Bytes of pixels the history holds: its snapshots and its reserve (the
    // one being prepared included).
    qint64 heldBytes() const;
    qint64 spareBytes() const;
    // Waits for the work of the worker threads (a reserve being prepared,
    // buffers being given back).
    void settle();

    // Slot of the newest snapshot.
    int16_t undoIndex = 0;

    void aboutToPaint(const QRect& area) override;
    void replaced(QImage& old) override;
    QImage spareImage(const QSize& size) override;

private:
    struct Slot {
        // The snapshot's picture, once it no longer follows from the next
        // one (a pushed picture, or the picture a full-picture step replaced).
        QImage base;
        // Tiles to put back over the base, or over the next snapshot (the
        // picture now, for the newest) when there is no base.
        SavedTiles tiles;
    };
    void release(Slot& s);
    void keepSpare(QImage& image);
    // Starts preparing a fresh buffer of the picture's size on a worker
    // thread, unless a reserve is held or on its way.
    void prepareSpare();
    // The reserve being prepared, once it is ready (without waiting).
    QImage takePrepared();
    // Gives a buffer back to the system on a worker thread.
    void discard(QImage image);
    // Which tiles of the picture the newest slot holds, after it changed.
    void markNewest();

    platform::PictureBox* picture_ = nullptr;
    std::vector<Slot> slots_;
    QImage spare_;                // the reserve
    std::future<QImage> coming_;  // the reserve being prepared
    qint64 comingBytes_ = 0;
    std::future<void> discarding_;  // a buffer being given back
    TileGrid grid_;
    std::vector<uint8_t> saved_;  // per tile of grid_: the newest slot holds it
    bool restoring_ = false;
};

}  // namespace mosaic
