#include "platform/QtPlatform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

QtPlatform::QtPlatform() : sound_([] { QApplication::beep(); }) {}

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

void QtPlatform::sndPlaySoundA(const QString& fileName, int flags)
{
    sound_.Play(fileName, flags);
}
