// An edition 1.0 main window after start-up, in a temporary program folder.
#pragma once

#include "mosaic/form1.h"

#include <QTemporaryDir>

struct LoadedForm {
    QTemporaryDir dir;
    mosaic::Form1 form{dir.path()};
    LoadedForm() { form.Form_Load(); }
};
