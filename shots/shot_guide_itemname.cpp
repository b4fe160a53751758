// Guide picture: naming a new item. The list editor on the empty row after
// the three items, "← 編集" clicked, a name typed into the name dialog.
// Usage: shot_guide_itemname OUT.png (on a real display).

#include "listedit/frmPelumo4.h"
#include "shots/GuideProject.h"
#include "support/FakePlatform.h"

#include <QLineEdit>

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
    for (int i = 0; i < 3; ++i) listEditor.cmdNext->click();  // the first empty row
    listEditor.show();
    QTimer::singleShot(300, [&] {
        GuideProject::SaveModal(&listEditor, QStringLiteral("frmText1"), out, [](QWidget* w) {
            Modal::CommitText(w->findChild<QLineEdit*>(QStringLiteral("txtText")), QStringLiteral("採用情報"));
        });
        listEditor.cmdHenshu->click();
    });
    return app.exec();
}
