// Guide picture: the show check's result, as "ショーを点検" of the list
// editor opens it (it covers the list editor, so it is taken alone), for a
// copy of the sample project with a picture removed and an item that goes
// back to its start without a pause. Usage: shot_guide_tenken OUT.png.

#include "listedit/frmPelumo4.h"
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

    m.CallerMode = Module1::kModeListEditor;
    FakePlatform platform;
    frmPelumo4 listEditor(m, platform);
    listEditor.show();
    QTimer::singleShot(300, [&] {
        GuideProject::SaveModal(nullptr, QStringLiteral("frmTenken"), out);
        listEditor.cmdTenken->click();
    });
    return app.exec();
}
