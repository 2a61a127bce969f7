// The program folder: every file a program reads or writes lives there.
#pragma once

#include <QString>

namespace platform {

// Folder of the running executable.
QString programFolder();

// A file name inside a folder. The name may hold sub-folders ("\" or "/");
// a name that would lead outside the folder (absolute, or through "..")
// gives an empty text.
QString fileInFolder(const QString& folder, const QString& name);

// Whether the file that `path` names, at the end of its chain of links,
// lies inside `folder`, judged with every link resolved: the folder, and the
// deepest existing folder on the way to that file, with their links
// resolved (realpath), the rest of the path appended.
bool liesInFolder(const QString& folder, const QString& path);

// An existing entry of a folder whose name equals `name` ignoring case, or
// the plain path of `name` when there is none.
QString findFileNoCase(const QString& folder, const QString& name);

}  // namespace platform
