// How much memory the program may use, and the share of it the undo history
// keeps pictures in.
#pragma once

#include <QtGlobal>

namespace mosaic {

// The smallest of the machine's physical memory, the memory limit of the
// program's control group and its address-space limit, in bytes.
qint64 usableMemory();

// Bytes of pictures the undo history keeps in memory: a quarter of what the
// program may use, which leaves the rest to the working picture, its backing
// copy, an effect's result, the preview and the system.
qint64 historyMemoryBudget();

}  // namespace mosaic
