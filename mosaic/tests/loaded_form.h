// An edition 1.0 main window after start-up, in a temporary program folder.
#pragma once

#include "mosaic/form1.h"
#include "mosaic/tests/loaded_window.h"

using LoadedForm = LoadedWindow<mosaic::Form1>;
