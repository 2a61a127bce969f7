// pellorin: the forum-thread prize draw.
#include "threaddraw/form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    threaddraw::Form1 window(threaddraw::buildSettings());
    window.Form_Load();
    return app.exec();
}
