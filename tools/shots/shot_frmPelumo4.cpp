// Picture of the list editor with three named items, the view on item 2.
// Usage: shot_frmPelumo4 OUT.png (on a real display).

#include "core/Module1.h"
#include "forms/FormLayout.h"
#include "listedit/frmPelumo4.h"
#include "shots/Shot.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;

    QTemporaryDir tmp;
    Module1 m;
    m.PrepareNewList();
    m.ProjectFolder = tmp.path();
    m.CallerMode = Module1::kModeListEditor;
    m.ListTable[1][1] = QStringLiteral("はじめに");
    m.ListTable[1][2] = QStringLiteral("1.pev");
    m.ListTable[2][1] = QStringLiteral("会社案内（本社・支店）");
    m.ListTable[2][2] = QStringLiteral("2.pev");
    m.ListTable[3][1] = QStringLiteral("製品紹介, 価格表");
    m.ListTable[3][2] = QStringLiteral("3.pev");
    m.LastEventFileNumber = 3;

    FakePlatform platform;
    frmPelumo4 window(m, platform);
    window.findChild<QPushButton*>("cmdNext")->click();  // item 2 in the centre
    window.show();

    Shot::SaveLater(&window, out);
    return app.exec();
}
