// Time texts shared by the programs.
#pragma once

#include <QDateTime>
#include <QString>

namespace platform {

// "HH:MM:SS", 24-hour clock.
QString timeText(const QTime& time = QTime::currentTime());

// The date-time name of saved files: MMDDYYYYhhmmss.
QString stampName(const QDateTime& when = QDateTime::currentDateTime());

// Full-width form of a text: printable ASCII moves to U+FF01..U+FF5E, a blank
// becomes the ideographic space; other characters stay as they are.
QString toFullWidth(const QString& text);

}  // namespace platform
