// tilvane09: the cube mosaic generator, edition 0.9.
#include "mosaic09/form1.h"
#include "platform/program_folder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mosaic09::Form1 window(platform::programFolder());
    window.Form_Load();
    return app.exec();
}
