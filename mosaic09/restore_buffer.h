// Edition 0.9's restore copy of the working picture: one copy, kept like a
// slot of edition 1.0's undo history (as what changed since the backup).
#pragma once

#include "mosaic/undo_history.h"
#include "platform/picture_buffer.h"

#include <QImage>

namespace mosaic09 {

class RestoreBuffer {
public:
    // From now on it keeps copies of this picture; until the first backup it
    // holds the picture as it is now.
    void watch(platform::WatchedPicture* picture);

    // The picture it holds.
    QImage image() const { return history_.newest(); }
    // backupWorkingPicture: it takes the working picture as it is now.
    void backup() { history_.push(); }
    // The working picture takes it back; it keeps holding the same picture.
    // False when it cannot be read back (the picture stays as it was).
    bool restore();
    // Bytes of pixels it holds.
    qint64 heldBytes() const { return history_.heldBytes(); }

private:
    mosaic::UndoHistory history_{1};
};

}  // namespace mosaic09
