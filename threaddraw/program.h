// The program's run: the window, its start-up, and the event loop until the
// window is closed.
#pragma once

#include "threaddraw/settings.h"

namespace threaddraw {

// Needs the QApplication; returns the event loop's exit code.
int runProgram(const Settings& settings);

}  // namespace threaddraw
