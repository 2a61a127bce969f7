// tilvane: the cube mosaic generator.
#include "mosaic/form1.h"
#include "platform/program_folder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mosaic::Form1 window(platform::programFolder());
    window.Form_Load();
    return app.exec();
}
