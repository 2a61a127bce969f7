// revoran: the cube review writer.
#include "review/form1.h"
#include "platform/program_folder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    review::Form1 window(platform::programFolder());
    window.Form_Load();
    window.show();
    return app.exec();
}
