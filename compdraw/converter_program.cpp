#include "compdraw/converter_program.h"

#include <QApplication>

namespace compdraw::convert {

int runProgram(const QString& folder, const ConverterSettings& settings)
{
    Form1 window(folder, settings);
    window.show();
    return QApplication::exec();
}

}  // namespace compdraw::convert
