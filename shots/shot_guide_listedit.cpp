// Guide picture: the list editor on the sample project, item 2 in the middle.
// Usage: shot_guide_listedit OUT.png (on a real display).

#include "listedit/frmPelumo4.h"
#include "shots/GuideProject.h"
#include "support/FakePlatform.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;
    GuideProject::Place place;
    const QString folder = GuideProject::Build(place);
    Module1 m;
    if (folder.isEmpty() || !GuideProject::Load(m, folder)) return 1;

    m.CallerMode = Module1::kModeListEditor;
    FakePlatform platform;
    frmPelumo4 listEditor(m, platform);
    listEditor.cmdNext->click();
    listEditor.show();
    GuideProject::SaveLater({&listEditor}, out);
    return app.exec();
}
