// Guide picture: the top menu after the sample project has been loaded, its
// start graphic shown. Usage: shot_guide_topmenu OUT.png (on a real display).

#include "shots/GuideProject.h"
#include "support/FakePlatform.h"

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
        GuideProject::SaveLater({&topMenu}, out);
    });
    return app.exec();
}
