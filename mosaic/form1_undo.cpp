#include "mosaic/form1.h"

namespace mosaic {

// Start-up block of the undo history: the snapshot slots and the first snapshot.
void Form1::setupUndoHistory() {}

// Pushes a snapshot of the working picture.
void Form1::saveUndo() {}

}  // namespace mosaic
