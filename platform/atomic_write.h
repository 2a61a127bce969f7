// Saving a file whole or not at all: the suite's one writer for option
// files, list.txt, avatars and patterns.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace platform {

class TextFileError;

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
// carries the system's description of the error. A new file gets 0666 less
// the umask; a replaced one keeps what it had (see writeFileAt).
void writeFileAtomic(const QString& path, const QByteArray& bytes);

// The same for the entry `name` of an open folder (a handle, O_PATH will
// do), whose links the caller has followed: a link found there is refused
// with ELOOP, and nothing is created or replaced outside that folder. A
// replaced file keeps its owner and group (where the saver may give them),
// mode and extended attributes with its ACL. Where the replacement cannot
// keep them (an owner or group the saver cannot give, attributes that cannot
// be set, a rename the folder refuses) or the file has other names, the save
// writes into the file itself after putting its earlier content into a copy
// beside it; a failed write puts that content back, and the copy goes once
// the new content is whole and flushed. The folder (after a rename) or the
// file (after writing into it) is flushed before the call returns.
void writeFileAt(int folder, const QByteArray& name, const QByteArray& bytes);

// Tests: the next atomic write fails at its last step (the rename into
// place) with this error number, as a full disk or a lost folder would.
void failNextCommitForTesting(int errorNumber);

// Tests: while set, each step of a save that reaches the disk is appended:
// "fsync file", "rename", "fsync folder", "in place". Null ends the record.
void recordWriterStepsForTesting(std::vector<std::string>* steps);

// Tests: while on, the writer acts as on a file system without unnamed
// files and writes into a named temporary file.
void useNamedTemporaryForTesting(bool on);

}  // namespace platform
