// Guide picture: the file picker over the event editor. On the picture event
// of item 2, "← 編集" and "グラフィック表示" chosen: the pictures of the
// folder, honsha.jpg selected. Usage: shot_guide_filepicker OUT.png.

#include "dialogs/form2.h"
#include "dialogs/frmFilesentaku.h"
#include "eventedit/frmPelumo3.h"
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
    Module1 m;
    if (folder.isEmpty() || !GuideProject::Load(m, folder)) return 1;

    m.ItemIndex = 2;
    FakePlatform platform;
    frmPelumo3 editor(m, platform);
    editor.cmdNext->click();  // row 2, the picture
    editor.show();
    QTimer::singleShot(300, [&] {
        Modal::Expect(QStringLiteral("form2"), [](QWidget* w) {
            QListWidget* kinds = static_cast<form2*>(w)->lstList;
            const auto found = kinds->findItems(EventKinds::kPicture, Qt::MatchExactly);
            if (!found.isEmpty()) emit kinds->itemClicked(found.first());
        });
        GuideProject::SaveModal(&editor, QStringLiteral("frmFilesentaku"), out, [](QWidget* w) {
            QListWidget* files = static_cast<frmFilesentaku*>(w)->File1;
            const auto found = files->findItems(QStringLiteral("honsha.jpg"), Qt::MatchExactly);
            if (!found.isEmpty()) files->setCurrentItem(found.first());
        });
        editor.cmdHenshu->click();
    });
    return app.exec();
}
