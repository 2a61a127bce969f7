// Picture loader for a local path or an http/https address. An ordinary
// failure (missing file, unreachable address, data that is no picture) gives
// a null image; nothing is thrown.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// bytes, when given, receives the picture's bytes as read (file or response),
// also when they are no picture.
QImage LoadPicture(const QString& strFileName, QByteArray* bytes = nullptr,
                   int timeoutMs = 30000);

}  // namespace platform
