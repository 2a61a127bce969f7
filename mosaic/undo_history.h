// The undo history: 100 snapshot slots of the working picture. Snapshots are
// QImages, so they share pixel data with the picture (and with each other)
// until one of them is written; the shift of a full history moves them.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>

namespace mosaic {

class UndoHistory {
public:
    static constexpr int kSlots = 100;

    // Start-up: index 0, slot 0 holds the start picture.
    void reset(const QImage& start);
    // Push: the next slot takes the picture; a full history drops slot 0
    // and moves every other snapshot down one slot.
    void push(const QImage& picture);
    // The newest snapshot (slot undoIndex).
    const QImage& newest() const { return slots_[size_t(undoIndex)]; }
    // After a restore: one step back, never below 0.
    void stepBack();

    const QImage& slot(int k) const { return slots_[size_t(k)]; }

    // Slot of the newest snapshot, 0..99.
    int16_t undoIndex = 0;

private:
    std::array<QImage, kSlots> slots_;
};

}  // namespace mosaic
