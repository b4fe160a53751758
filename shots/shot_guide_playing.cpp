// Guide picture: "▶ ここから再生" at work. Started on the looping sound of
// item 2, the play has gone on to the wait after it and waits its 1500 ms;
// the button reads "■ 停止". Usage: shot_guide_playing OUT.png.

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
    editor.cmdNext->click();  // row 3, the looping sound
    editor.show();
    QTimer::singleShot(300, [&] {
        editor.cmdPlay->click();
        // Well inside the wait: the play is still waiting when it is taken.
        GuideProject::SaveLater({&editor}, out, 400);
    });
    return app.exec();
}
