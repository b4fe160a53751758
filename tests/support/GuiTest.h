#pragma once
// What window tests use: Qt's widgets and QTest, and main(): the offscreen
// platform, a trash of the run's own for the event files that tests delete,
// the program's font substitutions.

#include "forms/FormLayout.h"
#include "support/Modal.h"

#include <QtTest>
#include <QtWidgets>

// A window's control found by its object name, as a person finds it by its
// caption: the windows keep their controls to themselves.
template <typename T>
T* Control(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("%s has no control named %s", qPrintable(window->objectName()), name);
    return found;
}

#define PELUMO_GUI_TEST_MAIN(TestClass)                            \
    int main(int argc, char** argv)                                \
    {                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                   \
        QTemporaryDir trash;                                       \
        qputenv("XDG_DATA_HOME", QFile::encodeName(trash.path())); \
        QApplication app(argc, argv);                              \
        FormLayout::InstallFontSubstitutions();                    \
        Modal::InstallGuard();                                     \
        TestClass tc;                                              \
        return QTest::qExec(&tc, argc, argv);                      \
    }
