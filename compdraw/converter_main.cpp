// brimlet: the competitor-list converter.
#include "compdraw/converter_program.h"
#include "platform/program_folder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return compdraw::convert::runProgram(platform::programFolder());
}
