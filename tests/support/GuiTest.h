#pragma once
// main() for window tests: the offscreen platform, a trash of the run's own
// for the event files that tests delete, the font substitutions of the
// program, then QTest.

#include "forms/FormLayout.h"
#include "support/Modal.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#define PELUMO_GUI_TEST_MAIN(TestClass)                          \
    int main(int argc, char** argv)                              \
    {                                                            \
        qputenv("QT_QPA_PLATFORM", "offscreen");                 \
        QTemporaryDir trash;                                     \
        qputenv("XDG_DATA_HOME", QFile::encodeName(trash.path())); \
        QApplication app(argc, argv);                            \
        FormLayout::InstallFontSubstitutions();                  \
        Modal::InstallGuard();                                   \
        TestClass tc;                                            \
        return QTest::qExec(&tc, argc, argv);                    \
    }
