// Guide picture: the folder chooser over the top menu as "新規作成" opens it,
// on a folder that holds the pictures and sounds only.
// Usage: shot_guide_folder OUT.png (on a real display).

#include "shots/GuideProject.h"
#include "support/FakePlatform.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;
    GuideProject::Place place;
    const QString folder = place.Folder(GuideProject::kFolderName);
    if (!place.ok() || !GuideProject::WriteMaterials(folder)) return 1;
    QDir::setCurrent(folder);  // where the chooser opens

    Module1 m;
    FakePlatform platform;
    frmPelumo1 topMenu(m, platform);
    topMenu.show();
    QTimer::singleShot(300, [&] {
        GuideProject::SaveModal(&topMenu, QStringLiteral("frmPelumo5"), out);
        topMenu.cmdSinki->click();
    });
    return app.exec();
}
