#include "platform/QtPlatform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

void QtPlatform::Beep()
{
    QApplication::beep();
}

void QtPlatform::EndProgram()
{
    // Every window goes with the process; nothing is saved.
    std::fflush(nullptr);
    std::_Exit(0);
}
