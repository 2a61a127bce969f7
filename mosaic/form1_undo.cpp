// Edition 1.0's undo history: its start-up, the snapshots and the two
// "撤销" buttons.
#include "mosaic/form1.h"

#include "platform/message_box.h"

namespace mosaic {

// Start-up block of the undo history: index 0 and the start picture in slot 0.
// The history watches the working picture and keeps each snapshot as what
// changes after it.
void Form1::setupUndoHistory()
{
    undoHistory.watch(Picture1);
    undoHistory.reset();
}

// Pushes a snapshot of the working picture.
void Form1::saveUndo()
{
    undoHistory.push();
}

// Edition 1.0's restore point is an undo snapshot.
void Form1::takeRestorePoint()
{
    saveUndo();
}

// Both "撤销" buttons: the newest snapshot back into the working picture and
// the backing copy, then one step back. A snapshot that cannot be read back
// stays where it is.
void Form1::Command4_Click(int16_t)
{
    if (!undoHistory.restoreNewest()) {
        platform::msgBox(this, QString::fromUtf8("图片太大，内存不足"), QString::fromUtf8("错误"));
        return;
    }
    writeBackingCopy();
    undoHistory.stepBack();
}

}  // namespace mosaic
