// The rehearsal of a whole show on real project files, its waits timed by a
// clock of the test's own.

#include "app/frmRehearsal.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/Rehearsal.h"
#include "support/GuiTest.h"
#include "support/Shows.h"

using namespace EventKinds;

namespace {

// The waits of a play: the milliseconds of the one that runs, 0 when none does.
struct FakeClock : PlayClock {
    int millis = 0;
    void Start(int ms) override { millis = ms; }
    void Stop() override { millis = 0; }
};

}  // namespace

class TestRehearsal : public WindowTest {
    Q_OBJECT

private slots:

    // One rehearsal through its three screens. The start graphic is fitted to the screen. Every
    // way of choosing from the list opens the item chosen (digits typed within a second make one
    // number, a pause starts anew); items that cannot play are refused in
    // the band and the list stays. Waits are honoured (a key does not cut them short), a text
    // waits for the audience, エンドレス goes round, the first empty row or Escape returns to the
    // list and stops the sound. The rows skipped are listed once; Escape in the list ends it.
    void rehearsal()
    {
        QTemporaryDir dir;
        QList<Shows::Item> items{
            {"写真", {{kPicture, "A.BMP"}, {kWavLoop, "loop.wav"}, {kWait, "500"}, {kText, "一"}, {kPicture, "b.bmp"}, {kPicture, "gone.bmp"}, {kWait, "200"}, {kClearText, ""}, {kText, "二"}, {kWavOnce, "once.wav"}, {kWavStop, ""}}},
            {"回る", {{kText, "A"}, {kEndless, kBackToStart}}},
            {"回り続ける", {{kWavOnce, "once.wav"}, {kEndless, kBackToStart}}},
            {"ファイルなし", {}},
            {"絵", {}},
        };
        for (int n = 6; n <= 12; ++n) items.append({QStringLiteral("項目%1").arg(n), {{kText, QStringLiteral("文%1").arg(n)}}});
        const auto m = Shows::Make(dir.path(), items, "a.bmp", {});
        m->ListTable[4][2] = "98.pev";  // not on disk
        m->ListTable[5][2] = "a.bmp";
        m->ListTable[Module1::kStartMessageRow][1] = QStringLiteral("ようこそ");
        QVERIFY(QImage(40, 30, QImage::Format_RGB32).save(dir.filePath("a.bmp"), "BMP"));
        QVERIFY(QImage(30, 40, QImage::Format_RGB32).save(dir.filePath("b.bmp"), "BMP"));
        for (const char* sound : {"loop.wav", "once.wav"}) QVERIFY(Bytes::Write(dir.filePath(sound), Bytes::Silence()));
        FakePlatform platform;
        FakeClock clock;
        frmRehearsal w(*m, platform, &clock);
        w.setWindowModality(Qt::NonModal);
        w.show();
        auto* list = Control<QListWidget>(&w, "lstItems");
        auto* picture = Control<QLabel>(&w, "imgPicture");
        auto* band = Control<QLabel>(&w, "lblBand");

        // While it shows, the screen saver is held off; the pointer hides after two seconds
        // without a move and comes back with the next move, over the picture as over the list.
        QVERIFY(platform.screenSaverHeld);
        for (QWidget* area : {static_cast<QWidget*>(picture), list->viewport()}) {
            QTRY_COMPARE_WITH_TIMEOUT(w.cursor().shape(), Qt::BlankCursor, 3000);
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(area, &move);
            QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
        }

        // "screen|band|wait ms|P and its width while a picture shows|the sounds since the last step".
        const auto state = [&] {
            const char* screens[] = {"start", "list", "item"};
            const QPixmap shown = picture->isVisible() ? picture->pixmap() : QPixmap();
            const QString width = shown.isNull() ? "" : "P" + QString::number(shown.width());
            const QStringList seen{screens[int(w.Showing())], band->text(), QString::number(clock.millis), width, platform.sounds.join(',')};
            platform.sounds.clear();
            return w.isVisible() ? seen.join('|') : QString("ended");
        };
        // Keys go to the list while it shows (it has the focus then), otherwise to the window.
        const auto press = [&](const QList<Qt::Key>& keys) {
            return [&, keys] {
                for (const Qt::Key key : keys) QTest::keyClick(w.Showing() == frmRehearsal::Screen::List ? static_cast<QWidget*>(list) : &w, key);
            };
        };
        const auto click = [&] { QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(10, 10)); };
        const auto waitEnds = [&] {
            clock.millis = 0;
            w.Clock_Event();
        };
        // The second click of a double click, the first having gone to the list.
        const auto secondClick = [&] {
            QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton, Qt::LeftButton, {});
            QApplication::sendEvent(&w, &second);
        };
        const auto clickSeventh = [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(6)).center()); };
        const auto typeWithAPause = [&] {
            press({Qt::Key_1})();
            QTest::qWait(Rehearsal::NumberTyping::kPauseMillis + 100);
            press({Qt::Key_2, Qt::Key_Enter})();
        };
        const QString onList = QStringLiteral("list|ようこそ|0||");
        const struct {
            const char* step;
            std::function<void()> act;
            QString state;
        } steps[] = {
            {"the start screen", [] {}, "start|ようこそ|0|P1024|"},
            {"a key on it", press({Qt::Key_A}), onList},
            {"↓ ↓ ↑ and Enter", press({Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}), "item|A|0||"},
            {"Space round エンドレス", press({Qt::Key_Space}), "item|A|0||"},
            {"Escape", press({Qt::Key_Escape}), onList + "stop"},
            {"↑ and Enter", press({Qt::Key_Up, Qt::Key_Return}), "item||500|P1024|loop loop.wav"},
            {"Space in a wait", press({Qt::Key_Space}), "item||500|P1024|"},
            {"the wait ends", waitEnds, "item|一|0|P1024|"},
            {"a stray tick", waitEnds, "item|一|0|P1024|"},
            {"a double click's second click", secondClick, "item|一|0|P1024|"},
            {"→ to a picture replaced at once by a missing one", press({Qt::Key_Right}), "item|一|200|P576|"},
            {"the wait ends", waitEnds, "item|二|0|P576|"},
            {"a click to the empty row", click, onList + "once once.wav,stop,stop"},
            {"Enter on it again", press({Qt::Key_Return}), "item||500|P1024|loop loop.wav"},
            {"the wait ends", waitEnds, "item|一|0|P1024|"},
            {"→ past the missing picture again", press({Qt::Key_Right}), "item|一|200|P576|"},
            {"Escape in a wait", press({Qt::Key_Escape}), onList + "stop"},
            {"1, a pause, 2 and Enter", typeWithAPause, "item|A|0||"},
            {"Escape, 1 3, beyond the list: 3, which spins forever", press({Qt::Key_Escape, Qt::Key_1, Qt::Key_3, Qt::Key_Enter}), "list|" + EventRules::SpinsForeverMessage() + "|0||stop"},
            {"4: its event file missing", press({Qt::Key_4, Qt::Key_Return}), "list|" + EventRules::MissingEventFileMessage() + "|0||"},
            {"5: a picture as its events", press({Qt::Key_5, Qt::Key_Return}), "list|" + EventRules::BadEventFileNameMessage("a.bmp") + "|0||"},
            {"a click on the seventh", clickSeventh, "item|文7|0||"},
            {"Escape, 1 2 and Enter", press({Qt::Key_Escape, Qt::Key_1, Qt::Key_2, Qt::Key_Return}), "item|文12|0||stop"},
        };
        for (const auto& s : steps) {
            s.act();
            QCOMPARE(s.step + (": " + state()), s.step + (": " + s.state));
        }
        QCOMPARE(list->item(4)->text(), "5　絵");
        QCOMPARE(w.SkippedMessage(), EventRules::SkippedRowsMessage({"「写真」6（gone.bmp）"}));
        press({Qt::Key_Escape, Qt::Key_Escape})();  // the item, then the list
        QVERIFY(!w.isVisible());
        QVERIFY(!platform.screenSaverHeld);

        // A click leaves the start screen as a key does.
        frmRehearsal clicked(*m, platform, &clock);
        clicked.show();
        QTest::mouseClick(&clicked, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(clicked.Showing() == frmRehearsal::Screen::List);
    }
};

PELUMO_GUI_TEST_MAIN(TestRehearsal)
#include "tst_rehearsal.moc"
