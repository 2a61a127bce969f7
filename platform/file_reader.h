// The one way the suite opens a file to read it: without waiting for a FIFO's
// writer or a device, regular files only, and never more than a cap.
#pragma once

#include "platform/unique_fd.h"

#include <QByteArray>
#include <QString>
#include <fcntl.h>

namespace platform {

// Throws TextFileError with the system's description of an error number.
[[noreturn]] void failWithError(int error);

// The path of an open descriptor through /proc, for calls that take none.
QByteArray descriptorPath(int fd);

// Far above any text file the suite reads (pages, lists, option files).
constexpr qint64 kTextReadCap = 64 * 1024 * 1024;

// Far above any picture file the suite reads whole (banners, avatars): a
// 48 MP photo as an uncompressed BMP.
constexpr qint64 kPictureReadCap = 256 * 1024 * 1024;

// Opens `name` relative to the folder handle `folder` (or AT_FDCWD) for
// reading, with `extraFlags` (such as O_NOFOLLOW) added. The open does not
// wait; anything that is not a regular file is refused (a folder with
// EISDIR, a device, FIFO or socket with EPERM). Throws TextFileError with
// the system's description of the error.
UniqueFd openRegularFile(int folder, const QByteArray& name, int extraFlags = 0);

// Reads the whole of an open file; one larger than `cap` bytes is refused
// with EFBIG. Throws TextFileError.
QByteArray readOpenFile(int fd, qint64 cap);

// Both: the whole of a regular file, at most `cap` bytes.
QByteArray readRegularFile(int folder, const QByteArray& name, qint64 cap, int extraFlags = 0);

}  // namespace platform
