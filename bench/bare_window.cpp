// The floor for the editor's start: a bare Qt Widgets window of the top
// menu's size, with nothing in it, started and painted the same way.

#include "forms/FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(640, 479);
    FirstPaint::QuitAfterIfAsked(&window);
    window.show();
    return app.exec();
}
