// Guide picture: the wait dialog over the event editor. On the wait event of
// item 2, "← 編集", "ウエイト" chosen in the kind picker, 1500 typed.
// Usage: shot_guide_wait OUT.png (on a real display).

#include "dialogs/form2.h"
#include "eventedit/frmPelumo3.h"
#include "shots/GuideProject.h"
#include "support/FakePlatform.h"

#include <QLineEdit>
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
    for (int i = 0; i < 3; ++i) editor.cmdNext->click();  // row 4, the wait
    editor.show();
    QTimer::singleShot(300, [&] {
        Modal::Expect(QStringLiteral("form2"), [](QWidget* w) {
            QListWidget* kinds = static_cast<form2*>(w)->lstList;
            const auto found = kinds->findItems(EventKinds::kWait, Qt::MatchExactly);
            if (!found.isEmpty()) emit kinds->itemClicked(found.first());
        });
        GuideProject::SaveModal(&editor, QStringLiteral("frmWait"), out, [](QWidget* w) {
            Modal::CommitText(w->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("1500"));
        });
        editor.cmdHenshu->click();
    });
    return app.exec();
}
