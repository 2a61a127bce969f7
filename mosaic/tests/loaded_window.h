// A main window of either edition after start-up, in a temporary program folder.
#pragma once

#include <QTemporaryDir>

template <class Window>
struct LoadedWindow {
    QTemporaryDir dir;
    Window form{dir.path()};
    LoadedWindow() { form.Form_Load(); }
};
