// Saving a file whole or not at all: the suite's one writer for option
// files, list.txt, avatars and patterns.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

class TextFileError;

// The file a save to `path` writes: the entry at the end of its chain of
// links (each link read and followed, up to 40 as the kernel allows). The
// entry may not exist yet: a dangling last link names the file to create.
// Throws TextFileError with the system's reason when the chain cannot be
// followed (a loop, a folder on the way that cannot be searched).
QString savedFilePath(const QString& path);

// Writes bytes whole or not at all into the file at the end of the path's
// chain of links; every link stays a link. An existing target that is no
// regular file is refused (a folder with EISDIR, a device, FIFO or socket
// with EPERM), and so is one the user may not write (as an ordinary open
// would refuse it), nothing changed. The bytes go into an unnamed file in
// the target's folder that gets a short name of fixed length only once it
// is complete and flushed to disk, then is renamed over the target, so a
// killed program leaves nothing behind and every name legal for the target
// is legal for the save. Every step is checked: on any failure an earlier
// file stays byte-identical, nothing is left beside it, and TextFileError
// carries the system's description of the error. A replaced file keeps its
// permissions; a new one gets 0666 less the umask.
void writeFileAtomic(const QString& path, const QByteArray& bytes);

// Tests: the next atomic write fails at its last step (the rename into
// place) with this error number, as a full disk or a lost folder would.
void failNextCommitForTesting(int errorNumber);

// Tests: while on, the writer acts as on a file system without unnamed
// files and writes into a named temporary file.
void useNamedTemporaryForTesting(bool on);

}  // namespace platform
