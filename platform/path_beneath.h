// Files named by a relative path that must stay beneath a folder: the path
// is walked one entry at a time through open folder handles, each link
// judged as it is met, so that nothing swapped in between the walk and the
// use of its result can lead outside.
#pragma once

#include "platform/text_file.h"
#include "platform/unique_fd.h"

#include <QByteArray>

namespace platform {

// A path that leads outside the folder (through "..", an absolute name or a
// link), or whose walk the system refused (what() tells why).
class OutsideFolderError : public TextFileError {
public:
    using TextFileError::TextFileError;
};

// Where a path leads: the folder that holds its last entry, held open, and
// that entry's name in it. The entry itself is no link; it may not exist.
struct EntryBeneath {
    UniqueFd folder;
    QByteArray name;
};

// Walks `path` ("/" between names) beneath the folder `root`. Links are
// followed (up to 40) while they stay beneath it: a relative link from where
// it stands, an absolute one when it names the folder's own place or one
// beneath it. A last entry that does not exist under its exact name is the
// existing entry of the same name ignoring letter case, where there is one.
// Throws OutsideFolderError for a way out, TextFileError with the system's
// reason when a folder on the way is missing or cannot be opened.
EntryBeneath resolveBeneath(int root, const QByteArray& path);

}  // namespace platform
