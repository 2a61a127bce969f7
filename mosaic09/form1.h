// The main window of edition 0.9: the shared window of mosaic/ in the older
// layout, with one restore copy of the working picture in place of the undo
// history, the backing copy and the brush.
#pragma once

#include "mosaic/form1.h"

#include <QImage>

namespace mosaic09 {

// The RestoreBuffer: one restore copy of the working picture, kept like a
// slot of edition 1.0's undo history (as what changed since the backup).
class RestoreBuffer {
public:
    explicit RestoreBuffer(platform::PictureBox* picture);

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

class Form1 : public mosaic::Form1 {
    Q_OBJECT
public:
    // folder: the program folder, where patterns are saved.
    explicit Form1(const QString& folder, QWidget* parent = nullptr);

    // "还原": a single button in this edition.
    platform::CommandButton* Command4 = nullptr;
    // The RestoreBuffer: the working picture as it was at the last backup,
    // the start picture until then. Held out of the user's sight.
    RestoreBuffer Picture2;

    // Puts the RestoreBuffer back into the working picture, and nothing else.
    void Command4_Click();
    // The RestoreBuffer takes a copy of the working picture.
    void backupWorkingPicture();

    // No backing copy in this edition.
    void writeBackingCopy() override;

protected:
    void takeRestorePoint() override;

private:
    void placeControls();
};

}  // namespace mosaic09
