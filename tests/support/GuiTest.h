#pragma once
// main() for window tests: the offscreen platform, the font substitutions of
// the program, then QTest.

#include "forms/FormLayout.h"
#include "support/Modal.h"

#include <QApplication>
#include <QtTest>

#define PELUMO_GUI_TEST_MAIN(TestClass)                          \
    int main(int argc, char** argv)                              \
    {                                                            \
        qputenv("QT_QPA_PLATFORM", "offscreen");                 \
        QApplication app(argc, argv);                            \
        FormLayout::InstallFontSubstitutions();                  \
        Modal::InstallGuard();                                   \
        TestClass tc;                                            \
        return QTest::qExec(&tc, argc, argv);                    \
    }
