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
// Buffers that no slot holds any more are kept (a few) as spares for the
// next full-picture step; when a step had to keep the picture's buffer, a
// fresh one is prepared on a worker thread, so that the next step does not
// wait for the system to hand out a picture's worth of new memory.
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
    // Spare buffers kept for the next full-picture step.
    static constexpr int kSpares = 2;
    // Pictures (in bytes) for which a spare is prepared ahead: from a
    // picture that first writing into fresh memory makes slow, up to a 16 MP
    // photo (larger ones would hold too much memory in reserve).
    static constexpr qint64 kPrepareFrom = qint64{4} << 20;
    static constexpr qint64 kPrepareUpTo = qint64{64} << 20;

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

    // Bytes of pixels the history holds: its snapshots and its spares (the
    // one being prepared included).
    qint64 heldBytes() const;
    qint64 spareBytes() const;

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
    // Starts preparing a fresh buffer of the picture's size on a worker thread.
    void prepareSpare();
    // Which tiles of the picture the newest slot holds, after it changed.
    void markNewest();

    platform::PictureBox* picture_ = nullptr;
    std::vector<Slot> slots_;
    std::vector<QImage> spares_;
    std::future<QImage> coming_;  // a spare being prepared
    qint64 comingBytes_ = 0;
    TileGrid grid_;
    std::vector<uint8_t> saved_;  // per tile of grid_: the newest slot holds it
    bool restoring_ = false;
};

}  // namespace mosaic
