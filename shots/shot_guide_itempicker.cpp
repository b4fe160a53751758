// Guide picture: the item picker over the top menu, as "イベント作成、編集"
// opens it after a load, with "会社案内" chosen.
// Usage: shot_guide_itempicker OUT.png (on a real display).

#include "dialogs/frmList.h"
#include "shots/GuideProject.h"
#include "support/FakePlatform.h"

#include <QListWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;
    GuideProject::Place place;
    const QString folder = GuideProject::Build(place);
    if (folder.isEmpty()) return 1;

    Module1 m;
    FakePlatform platform;
    frmPelumo1 topMenu(m, platform);
    topMenu.show();
    QTimer::singleShot(300, [&] {
        GuideProject::LoadInTopMenu(topMenu, folder);
        GuideProject::SaveModal(&topMenu, QStringLiteral("frmList"), out, [](QWidget* w) {
            static_cast<frmList*>(w)->lstList->setCurrentRow(1);
        });
        topMenu.cmdSakusei->click();
    });
    return app.exec();
}
