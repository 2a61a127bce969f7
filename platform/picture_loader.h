// Picture loader for a local path or an http/https address. An ordinary
// failure (missing file, unreachable address, data that is no picture, a
// download over its deadline or cap, a stop) gives a null image; nothing is
// thrown.
#pragma once

#include "platform/http_request.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// bytes, when given, receives the picture's bytes as read (file or response),
// also when they are no picture. An address is fetched under rule.
QImage LoadPicture(const QString& strFileName, QByteArray* bytes = nullptr,
                   const RequestRule& rule = pictureRule());

}  // namespace platform
