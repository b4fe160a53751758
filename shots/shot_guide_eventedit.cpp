// Guide picture: the event editor on item 2 "会社案内", moved with ▼ to its
// picture event: the picture and the text before it in the preview.
// Usage: shot_guide_eventedit OUT.png (on a real display).

#include "eventedit/frmPelumo3.h"
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

    m.ItemIndex = 2;
    FakePlatform platform;
    frmPelumo3 editor(m, platform);
    editor.cmdNext->click();
    editor.show();
    GuideProject::SaveLater({&editor}, out);
    return app.exec();
}
