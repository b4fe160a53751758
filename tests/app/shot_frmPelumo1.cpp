// Picture of the top menu after a project with a start graphic and three
// items has been loaded. Usage: shot_frmPelumo1 OUT.png (on a real display).

#include "app/FormLayout.h"
#include "app/Module1.h"
#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "data/ListDataFile.h"
#include "support/FakePlatform.h"
#include "support/Modal.h"
#include "support/Shot.h"

#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

bool PrepareProject(const QString& folder)
{
    QImage picture(320, 240, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(1, QColor(230, 200, 120));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::white);
    painter.setFont(FormLayout::Font(FormLayout::kGothic, 20, true));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("ようこそ"));
    painter.end();
    if (!picture.save(folder + QStringLiteral("/start.bmp"), "BMP")) return false;

    Module1 m;
    m.ProjectFolder = folder;
    m.PrepareNewList();
    m.ListTable[1][1] = QStringLiteral("会社案内");
    m.ListTable[1][2] = QStringLiteral("1.pev");
    m.ListTable[2][1] = QStringLiteral("製品紹介");
    m.ListTable[2][2] = QStringLiteral("2.pev");
    m.ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("start.bmp");
    m.LastEventFileNumber = 2;
    return ListDataFile::Write(m).ok;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    FormLayout::InstallFontSubstitutions();
    const QString out = QString::fromLocal8Bit(argv[1]);

    QTemporaryDir tmp;
    const QString folder = QFileInfo(tmp.path()).canonicalFilePath() + QStringLiteral("/demo");
    if (!tmp.isValid() || !QDir().mkpath(folder) || !PrepareProject(folder)) {
        std::fprintf(stderr, "could not prepare the project\n");
        return 1;
    }

    Module1 m;
    FakePlatform platform;
    frmPelumo1 window(m, platform);
    window.show();

    QTimer::singleShot(300, [&] {
        Modal::Expect(QStringLiteral("frmPelumo5"), [&](QWidget* w) {
            auto* chooser = static_cast<frmPelumo5*>(w);
            chooser->OpenFolder(folder);
            chooser->cmdOk->click();
        });
        window.cmdLoad->click();
        Shot::SaveLater(&window, out);  // once the loaded state has painted
    });
    return app.exec();
}
