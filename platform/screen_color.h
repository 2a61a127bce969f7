// Colour of the screen pixel under the cursor, read through Qt's screen grab.
#pragma once

#include <QPoint>
#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

// Colour value of the screen pixel at a global position; none where the
// platform cannot read the screen there.
std::optional<int32_t> screenColorAt(const QPoint& globalPos);

// The same for the pixel under the mouse cursor.
std::optional<int32_t> screenColorUnderCursor();

// Tests replace the screen read by a hook; returns the previous hook.
using ScreenColorHook = std::function<std::optional<int32_t>(const QPoint& globalPos)>;
ScreenColorHook setScreenColorHook(ScreenColorHook hook);

}  // namespace platform
