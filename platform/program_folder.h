// The program folder: every file a program reads or writes lives there.
#pragma once

#include <QString>

namespace platform {

// Folder of the running executable, whatever bytes its name holds: a path
// through a handle held open on it ("/proc/self/fd/N"), so that no name of
// the folder is ever turned into text and back. Falls back to the folder's
// name as text where /proc cannot be read.
QString programFolder();

// The same for any executable's path given as bytes; empty when its folder
// cannot be opened.
QString folderHandlePath(const QByteArray& executable);

// A file name relative to a folder, with "/" between its parts and no "."
// or ".." left. The name may hold sub-folders ("\" or "/"); a name that would
// lead outside the folder (absolute, or through "..") gives an empty text.
QString nameInFolder(const QString& name);

// The same name as a path inside the folder; empty where nameInFolder is.
QString fileInFolder(const QString& folder, const QString& name);

// An existing entry of a folder whose name equals `name` ignoring case, or
// the plain path of `name` when there is none.
QString findFileNoCase(const QString& folder, const QString& name);

}  // namespace platform
