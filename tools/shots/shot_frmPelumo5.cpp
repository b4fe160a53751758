// Picture of the folder chooser as a load opens it, on a prepared folder with
// subfolders and files. Usage: shot_frmPelumo5 OUT.png (on a real display).

#include "app/frmPelumo5.h"
#include "core/Module1.h"
#include "forms/FormLayout.h"
#include "shots/Shot.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;

    QTemporaryDir tmp;
    const QString folder = QFileInfo(tmp.path()).canonicalFilePath() + QStringLiteral("/作品");
    QDir().mkpath(folder + QStringLiteral("/会社案内"));
    QDir().mkpath(folder + QStringLiteral("/素材"));
    for (const char* name : {"LISTDATA.PLD", "1.pev", "start.bmp", "音楽.wav"}) {
        QFile f(folder + QLatin1Char('/') + QString::fromUtf8(name));
        if (!f.open(QIODevice::WriteOnly)) return 1;
    }
    QDir::setCurrent(folder);

    Module1 m;
    m.CallerMode = Module1::kModeLoad;
    FakePlatform platform;
    frmPelumo5 chooser(m, platform);
    chooser.show();

    Shot::SaveLater(&chooser, out);
    return app.exec();
}
