#include "mosaic/undo_history.h"

#include <utility>

namespace mosaic {

void UndoHistory::reset(const QImage& start)
{
    undoIndex = 0;
    for (QImage& s : slots_)
        s = QImage();
    slots_[0] = start;
}

void UndoHistory::push(const QImage& picture)
{
    ++undoIndex;
    if (undoIndex > kSlots - 1) {
        undoIndex = kSlots - 1;
        for (int k = 0; k < kSlots - 1; ++k)
            slots_[size_t(k)] = std::move(slots_[size_t(k) + 1]);
    }
    slots_[size_t(undoIndex)] = picture;
}

void UndoHistory::stepBack()
{
    if (--undoIndex < 0)
        undoIndex = 0;
}

}  // namespace mosaic
