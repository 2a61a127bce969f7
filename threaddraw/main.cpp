// pellorin: the forum-thread prize draw.
#include "threaddraw/program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return threaddraw::runProgram(threaddraw::buildSettings());
}
