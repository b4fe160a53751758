// Picture of the event editor on a scripted item: a picture and a text in the
// preview, the view on the picture event. Usage: shot_frmPelumo3 OUT.png.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/Module1.h"
#include "eventedit/frmPelumo3.h"
#include "shots/Shot.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

using namespace EventKinds;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;

    QTemporaryDir tmp;
    Module1 m;
    m.PrepareNewList();
    m.ProjectFolder = tmp.path();
    m.ListTable[1][1] = QStringLiteral("会社案内（本社・支店）");
    m.ListTable[1][2] = QStringLiteral("1.pev");
    m.ItemIndex = 1;

    QImage photo(640, 480, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, 480);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(230, 240, 250));
    painter.fillRect(photo.rect(), sky);
    painter.fillRect(QRect(0, 360, 640, 120), QColor(60, 140, 70));
    painter.end();
    photo.save(m.ProjectPath(QStringLiteral("honsha.jpg")), "JPG");

    const QString rows[][2] = {
        {kText, QStringLiteral("ようこそ、ペルモ商事へ。本社は駅から歩いて五分です。")},
        {kPicture, QStringLiteral("honsha.jpg")},
        {kWait, QStringLiteral("1500")},
        {kWavStop, QString()},
        {kEndless, kBackToStart},
    };
    for (int r = 0; r < 5; ++r) {
        m.EventTable[r + 1][0] = rows[r][0];
        m.EventTable[r + 1][1] = rows[r][1];
    }
    EventFile::Write(m.ProjectFolder, EventFile::NameOf(m), m.EventTable);

    FakePlatform platform;
    platform.noSoundDevice = true;  // the notice below the return button shows
    frmPelumo3 window(m, platform);
    window.findChild<QPushButton*>("cmdNext")->click();  // the picture event in the centre, the text kept
    window.show();
    Shot::SaveLater(&window, out);
    return app.exec();
}
