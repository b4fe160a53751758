#pragma once
// What window tests use: Qt's widgets and QTest, the fake platform, the
// windows' controls, a base for test classes, and main(): the offscreen
// platform, a trash of the run's own for the event files that tests delete,
// the program's font substitutions.

#include "forms/FormLayout.h"
#include "support/FakePlatform.h"
#include "support/Modal.h"

#include <QtTest>
#include <QtWidgets>

// A window's control found by its object name, as a person finds it by its
// caption: the windows keep their controls to themselves.
template <typename T = QWidget>
T* Control(const QObject* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found) qFatal("%s has no control named %s", qPrintable(window->objectName()), qPrintable(name));
    return found;
}

// The caption or text a control shows.
inline QString Text(const QObject* window, const QString& name) { return Control(window, name)->property("text").toString(); }

// The tests of windows: each starts with no answer queued and uses all it queues.
class WindowTest : public QObject {
    Q_OBJECT

protected slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }
};

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
