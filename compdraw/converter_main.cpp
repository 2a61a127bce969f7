// brimlet: the competitor-list converter.
#include "compdraw/converter_form.h"
#include "platform/program_folder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    compdraw::convert::Form1 window(platform::programFolder());
    window.show();
    return app.exec();
}
