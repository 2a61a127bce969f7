// Kestrow2: the competition prize draw.
#include "compdraw/draw_form.h"
#include "platform/program_folder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    compdraw::draw::Form1 window(platform::programFolder());
    window.Form_Load();
    window.show();
    return app.exec();
}
