// The converter's run: its window, and the event loop until it is closed.
#pragma once

#include "compdraw/converter_form.h"

namespace compdraw::convert {

// Needs the QApplication; returns the event loop's exit code.
int runProgram(const QString& folder, const ConverterSettings& settings = {});

}  // namespace compdraw::convert
