// The preview's sound as it is heard: the program's own platform plays
// through SDL's disk driver, which writes what would be heard to a file in
// real time. A looping wav goes on until "Wav停止" or the return to the top
// menu silences it.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "eventedit/frmPelumo3.h"
#include "forms/FormLayout.h"
#include "platform/QtPlatform.h"
#include "support/Modal.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

QTemporaryDir g_dir;

// 0.3 s of a 440 Hz tone, 16-bit mono at 22050 Hz.
QByteArray ToneWav()
{
    QByteArray data;
    for (int i = 0; i < 6615; ++i) {
        const qint16 s = qint16(12000 * std::sin(2 * M_PI * 440 * i / 22050.0));
        data.append(char(s & 0xff)).append(char(s >> 8 & 0xff));
    }
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    const QByteArray fmt = QByteArray::fromHex("0100010022560000 44ac0000 02001000");
    return "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + fmt + "data" + u32(data.size()) + data;
}

// Whether the last few milliseconds written by the device hold any sound.
bool Heard()
{
    QFile out(g_dir.filePath("heard.raw"));
    if (!out.open(QIODevice::ReadOnly) || out.size() < 8192) return false;
    out.seek(out.size() - 8192);
    const QByteArray tail = out.readAll();
    return tail.count('\0') != tail.size();
}

}  // namespace

class TestPreviewSound : public QObject {
    Q_OBJECT

private slots:
    void loopUntilStopOrReturn()
    {
        using namespace EventKinds;
        Module1 m;
        m.ProjectFolder = g_dir.path();
        m.ListTable[1][1] = "音";
        m.ListTable[1][2] = "1.pev";
        m.ItemIndex = 1;
        const QString rows[][2] = {{kWavLoop, "tone.wav"}, {kWavStop, ""}};
        for (int r = 0; r < 2; ++r) m.EventTable[r + 1][0] = rows[r][0], m.EventTable[r + 1][1] = rows[r][1];
        QVERIFY(EventFile::Write(m).ok);
        QFile wav(g_dir.filePath("tone.wav"));
        QVERIFY(wav.open(QIODevice::WriteOnly) && wav.write(ToneWav()) > 0);
        wav.close();

        QtPlatform platform;
        frmPelumo3 w(m, platform);
        w.setWindowModality(Qt::NonModal);
        w.show();
        QTest::qWait(1000);  // more than three lengths of the tone
        QVERIFY(Heard());
        w.cmdNext->click();  // "Wav停止"
        QTRY_VERIFY_WITH_TIMEOUT(!Heard(), 500);
        w.cmdBefore->click();
        QTRY_VERIFY_WITH_TIMEOUT(Heard(), 500);
        QTest::qWait(700);
        QVERIFY(Heard());
        w.Command3->click();  // the return silences it
        QTRY_VERIFY_WITH_TIMEOUT(!Heard(), 500);
        QVERIFY(!w.isVisible());
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", g_dir.filePath("heard.raw").toLocal8Bit());
    QApplication app(argc, argv);
    FormLayout::InstallFontSubstitutions();
    Modal::InstallGuard();
    TestPreviewSound tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_preview_sound.moc"
