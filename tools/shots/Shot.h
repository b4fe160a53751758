#pragma once
// For the screenshot programs: once the window has been shown and painted,
// save a picture of it and end the program with 0 on success.

#include "forms/FormLayout.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace Shot {

// The picture's path from the command line, with the program's fonts set up;
// empty (after a usage line) when it is missing.
inline QString Start(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return {};
    }
    FormLayout::InstallFontSubstitutions();
    return QString::fromLocal8Bit(argv[1]);
}

inline void SaveLater(QWidget* window, const QString& out, int delayMs = 500)
{
    QTimer::singleShot(delayMs, window, [window, out] {
        window->repaint();
        const bool saved = window->grab().save(out, "PNG");
        if (!saved) std::fprintf(stderr, "could not save %s\n", qPrintable(out));
        // exit(), not quit(): quit() asks every window to close first, and the
        // top menu and the list editor answer that with a question or a no.
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace Shot
