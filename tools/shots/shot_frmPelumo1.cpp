// Picture of the top menu after a project with a start graphic and two items
// has been loaded. Usage: shot_frmPelumo1 OUT.png (on a real display).

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/ListDataFile.h"
#include "forms/FormLayout.h"
#include "shots/Shot.h"
#include "support/FakePlatform.h"
#include "support/Modal.h"

#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;
    Modal::InstallGuard();  // the folder chooser is answered

    // The project: a start graphic and a list of two items.
    QTemporaryDir tmp;
    Module1 project;
    project.ProjectFolder = QFileInfo(tmp.path()).canonicalFilePath();
    project.PrepareNewList();
    project.ListTable[1][1] = QStringLiteral("会社案内");
    project.ListTable[2][1] = QStringLiteral("製品紹介");
    project.ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("start.bmp");
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 160));
    if (!picture.save(project.ProjectPath(QStringLiteral("start.bmp")), "BMP") || !ListDataFile::Write(project).ok) {
        std::fprintf(stderr, "could not prepare the project\n");
        return 1;
    }

    Module1 m;
    FakePlatform platform;
    frmPelumo1 window(m, platform);
    window.show();
    QTimer::singleShot(300, [&] {
        Modal::Expect(QStringLiteral("frmPelumo5"), [&](QWidget* w) {
            static_cast<frmPelumo5*>(w)->OpenFolder(project.ProjectFolder);
            w->findChild<QPushButton*>("cmdOk")->click();
        });
        window.findChild<QPushButton*>("cmdLoad")->click();
        Shot::SaveLater(&window, out);  // once the loaded state has painted
    });
    return app.exec();
}
