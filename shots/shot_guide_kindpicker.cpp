// Guide picture: the kind picker over the event editor, opened with
// "← 編集" on the picture event of item 2 (so with its cancel button).
// Usage: shot_guide_kindpicker OUT.png (on a real display).

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
    QTimer::singleShot(300, [&] {
        GuideProject::SaveModal(&editor, QStringLiteral("form2"), out);
        editor.cmdHenshu->click();
    });
    return app.exec();
}
