// Links, devices and other kinds of directory entry in tests.
#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace testing_support {

// Makes a link holding `target` as written (relative or absolute).
bool makeLink(const QByteArray& target, const QString& link);

// What a link holds, as written; empty when `path` is no link.
QByteArray linkText(const QString& path);

// The kind of the entry itself, not followed (S_IFREG, S_IFLNK, S_IFCHR...);
// 0 when there is none.
mode_t kindOf(const QString& path);

// Its permission bits.
mode_t permissionsOf(const QString& path);

// Makes a character device with /dev/null's numbers where the tests may
// (as root), else a FIFO; returns the kind made, 0 when neither could be.
mode_t makeDeviceOrFifo(const QString& path);

}  // namespace testing_support
