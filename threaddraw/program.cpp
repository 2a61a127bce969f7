#include "threaddraw/program.h"

#include "threaddraw/form1.h"

#include <QApplication>

namespace threaddraw {

int runProgram(const Settings& settings)
{
    Form1 window(settings);
    window.Form_Load();
    return QApplication::exec();
}

}  // namespace threaddraw
