// Guide picture: a message box over the event editor. In the copy of the
// sample project whose map picture is gone, item 2 is stepped with ▼ onto
// the event that shows the map. Usage: shot_guide_error OUT.png.

#include "eventedit/frmPelumo3.h"
#include "shots/GuideProject.h"
#include "support/FakePlatform.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;
    GuideProject::Place place;
    const QString folder = GuideProject::BuildFaulty(place);
    Module1 m;
    if (folder.isEmpty() || !GuideProject::Load(m, folder)) return 1;

    m.ItemIndex = 2;
    FakePlatform platform;
    frmPelumo3 editor(m, platform);
    for (int i = 0; i < 4; ++i) editor.cmdNext->click();  // row 5, the text before the map
    editor.show();
    QTimer::singleShot(300, [&] {
        GuideProject::SaveModal(&editor, QStringLiteral("frmError"), out);
        editor.cmdNext->click();
    });
    return app.exec();
}
