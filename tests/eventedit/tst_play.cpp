// "▶ ここから再生" with the test as its clock: waits in order, a pause on each
// text until "次へ", "エンドレス" back to row 1, skipped files listed once,
// stop by the button, by Escape and at the end, and the refusal of an item
// that would spin forever.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "eventedit/frmPelumo3.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace EventKinds;

namespace {

struct Player {
    QTemporaryDir dir;
    Module1 m;
    FakePlatform platform;
    std::unique_ptr<frmPelumo3> w;

    explicit Player(const QList<QPair<QString, QString>>& rows)
    {
        m.ProjectFolder = dir.path();
        m.ListTable[1][2] = "1.pev";
        m.ItemIndex = 1;
        for (int r = 0; r < rows.size(); ++r) m.EventTable[r + 1][0] = rows[r].first, m.EventTable[r + 1][1] = rows[r].second;
        EventFile::Write(m);
        Bytes::Write(dir.filePath("s.wav"), "RIFF");
        w = std::make_unique<frmPelumo3>(m, platform);
        w->setWindowModality(Qt::NonModal);
        w->show();
    }
    // Where the play is: "row wait-ms" while the clock runs, "row text" while
    // it waits for "次へ", "row stopped" after it.
    QString State() const
    {
        const QString row = QString::number(m.EventIndex) + ' ';
        if (w->cmdPlay->text() != QStringLiteral("■ 停止")) return row + "stopped";
        return row + (w->Timer1->isActive() ? QString::number(w->Timer1->interval()) : w->lblTextKasou->text());
    }
};

void Ok(QWidget*) {}

}  // namespace

class TestPlay : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    void playsWithTheItemsTiming()
    {
        Player p({{kText, "A"}, {kWait, "1500"}, {kPicture, "gone.bmp"}, {kWavOnce, "none.wav"}, {kWait, "200"},
                  {kText, "B"}, {kPicture, "gone.bmp"}, {kEndless, kBackToStart}});
        auto& w = *p.w;
        w.cmdPlay->click();
        QCOMPARE(p.State(), "1 A");
        QVERIFY(!w.Command3->isEnabled() && !w.cmdHenshu->isEnabled() && w.cmdNext_Kasou->isEnabled());
        w.cmdNext_Kasou->click();
        QCOMPARE(p.State(), "2 1500");
        w.Timer1_Timer();  // no dialog for the missing files: the clock goes on
        QCOMPARE(p.State(), "5 200");
        w.Timer1_Timer();
        QCOMPARE(p.State(), "6 B");
        w.cmdNext_Kasou->click();  // past a missing picture and "エンドレス" to row 1
        QCOMPARE(p.State(), "1 A");
        w.cmdNext_Kasou->click();
        w.Timer1_Timer();  // the same rows skipped again, listed once
        Modal::Expect("frmError", Ok);
        w.cmdPlay->click();
        QCOMPARE(p.State(), "5 stopped");
        QCOMPARE(Modal::Texts(), QStringList{EventRules::SkippedRowsMessage({"3（gone.bmp）", "4（none.wav）", "7（gone.bmp）"})});
        QVERIFY(w.Command3->isEnabled() && w.cmdHenshu->isEnabled());
        QCOMPARE(p.platform.sounds.last(), "stop");

        // From the current row; Escape stops it and keeps the window.
        w.cmdNext->click();
        w.cmdPlay->click();
        QCOMPARE(p.State(), "6 B");
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(p.State(), "6 stopped");
        QVERIFY(w.isVisible() && !w.Timer1->isActive());
    }

    void endsOnTheEmptyRowOrRefusesToSpin()
    {
        Player ends({{kWavLoop, "s.wav"}, {kWait, "100"}});
        ends.w->cmdPlay->click();
        QCOMPARE(ends.State(), "2 100");
        ends.w->Timer1_Timer();
        QCOMPARE(ends.State(), "3 stopped");
        QCOMPARE(ends.platform.sounds, (QStringList{"stop", "loop s.wav", "stop", "loop s.wav", "stop"}));

        Player spins({{kWavOnce, "s.wav"}, {kPicture, "x.bmp"}, {kEndless, kBackToStart}, {kWait, "100"}});
        Modal::Expect("frmError", Ok);
        spins.w->cmdPlay->click();
        QCOMPARE(Modal::Texts(), QStringList{EventRules::SpinsForeverMessage()});
        QCOMPARE(spins.State(), "1 stopped");
    }
};

PELUMO_GUI_TEST_MAIN(TestPlay)
#include "tst_play.moc"
