// The rehearsal of a whole show on real project files, its waits timed by a
// clock of the test's own.

#include "app/frmRehearsal.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/ListDataFile.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

using namespace EventKinds;

namespace {

// The waits of a play: the milliseconds of the one that runs, 0 when none does.
struct FakeClock : PlayClock {
    int millis = 0;
    void Start(int ms) override { millis = ms; }
    void Stop() override { millis = 0; }
};

struct Item {
    QString name;
    QList<QStringList> events;
};

// Events of kind and parameter from row 1.
EventRows Rows(const QList<QStringList>& events)
{
    EventRows rows;
    for (int r = 0; r < events.size(); ++r) {
        rows[r + 1][0] = events[r][0];
        rows[r + 1][1] = events[r][1];
    }
    return rows;
}

// A show in a folder of its own, items N.pev from item 1, with the start
// graphic `startGraphic` and the start message "ようこそ", rehearsed. The
// folder holds pictures a.bmp (40 x 30) and b.bmp (30 x 40) and two short
// silences, loop.wav and once.wav.
struct Show {
    QTemporaryDir dir;
    Module1 m;
    FakePlatform platform;
    FakeClock clock;
    std::unique_ptr<frmRehearsal> w;

    explicit Show(const QList<Item>& items, const QString& startGraphic = "a.bmp")
    {
        m.ProjectFolder = dir.path();
        for (int i = 0; i < items.size(); ++i) {
            m.ListTable[i + 1][1] = items[i].name;
            m.ListTable[i + 1][2] = QString("%1.pev").arg(i + 1);
            EventFile::Write(m.ProjectFolder, m.ListTable[i + 1][2], Rows(items[i].events));
        }
        m.ListTable[Module1::kStartGraphicRow][1] = startGraphic;
        m.ListTable[Module1::kStartMessageRow][1] = QStringLiteral("ようこそ");
        ListDataFile::Write(m);
        QImage(40, 30, QImage::Format_RGB32).save(dir.filePath("a.bmp"), "BMP");
        QImage(30, 40, QImage::Format_RGB32).save(dir.filePath("b.bmp"), "BMP");
        const QByteArray silence = Bytes::Wav(1, 1, 22050, 16, Bytes::Chunk("data", QByteArray(4, '\0')));
        Bytes::Write(dir.filePath("loop.wav"), silence);
        Bytes::Write(dir.filePath("once.wav"), silence);
        w = std::make_unique<frmRehearsal>(m, platform, &clock);
        w->setWindowModality(Qt::NonModal);
        w->show();
    }
    // "screen|band|wait ms|P and its width while a picture shows".
    QString State() const
    {
        const char* screens[] = {"start", "list", "item"};
        const QPixmap shown = w->imgPicture->isVisible() ? w->imgPicture->pixmap() : QPixmap();
        const QString picture = shown.isNull() ? "" : "P" + QString::number(shown.width());
        return QStringList{screens[int(w->Showing())], w->lblBand->text(), QString::number(clock.millis), picture}.join('|');
    }
    // The key, to the list while it shows (it has the focus then), otherwise to the window.
    void Key(int key)
    {
        QWidget* to = w->Showing() == frmRehearsal::Screen::List ? static_cast<QWidget*>(w->lstItems) : w.get();
        QTest::keyClick(to, Qt::Key(key));
    }
    void Click() { QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(10, 10)); }
    // The second click of a double click, the first having gone to the list.
    void SecondClick()
    {
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(w.get(), &second);
    }
    // The wait is over.
    void Tick()
    {
        clock.millis = 0;
        w->Clock_Event();
    }
};

QList<Item> Numbered(int count)
{
    QList<Item> items;
    for (int n = 1; n <= count; ++n) items << Item{QString("項目%1").arg(n), {{kText, QString("文%1").arg(n)}}};
    return items;
}

}  // namespace

class TestRehearsal : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // The start graphic fitted to the screen with the start message; a key or a click goes on to the
    // list, Escape ends the rehearsal.
    void startScreen()
    {
        const struct {
            const char* way;
            int key;
            const char* after;
        } ways[] = {
            {"a key", Qt::Key_A, "list|ようこそ|0|"},
            {"a click", 0, "list|ようこそ|0|"},
            {"Escape", Qt::Key_Escape, "ended"},
        };
        for (const auto& way : ways) {
            Show show(Numbered(1));
            QCOMPARE(show.State(), "start|ようこそ|0|P1024");
            way.key ? show.Key(way.key) : show.Click();
            QVERIFY2((show.w->isVisible() ? show.State() : "ended") == way.after, way.way);
        }
    }

    // Every way of choosing from the list opens the item chosen, and a screen reader reads the band
    // as it changes. Items that cannot play are refused in the band, and the list stays. Escape
    // ends the rehearsal.
    void list_data()
    {
        QTest::addColumn<QString>("eventFile");  // of item 1
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("arrows and Enter") << "1.pev" << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return} << "item|文2|0|";
        QTest::newRow("a number of two digits") << "1.pev" << QList<int>{Qt::Key_1, Qt::Key_2, Qt::Key_Enter} << "item|文12|0|";
        QTest::newRow("a number beyond the list") << "1.pev" << QList<int>{Qt::Key_1, Qt::Key_3, Qt::Key_Enter} << "item|文3|0|";
        QTest::newRow("a click on the fifth") << "1.pev" << QList<int>{} << "item|文5|0|";
        QTest::newRow("spins forever") << "99.pev" << QList<int>{Qt::Key_Return} << "list|" + EventRules::SpinsForeverMessage() + "|0|";
        QTest::newRow("event file missing") << "98.pev" << QList<int>{Qt::Key_Return} << "list|" + EventRules::MissingEventFileMessage() + "|0|";
        QTest::newRow("not an event file") << "a.bmp" << QList<int>{Qt::Key_Return} << "list|" + EventRules::BadEventFileNameMessage("a.bmp") + "|0|";
        QTest::newRow("Escape") << "1.pev" << QList<int>{Qt::Key_Escape} << "ended";
    }
    void list()
    {
        QFETCH(QString, eventFile);
        QFETCH(QList<int>, keys);
        QFETCH(QString, after);
        Show show(Numbered(12));
        EventFile::Write(show.m.ProjectFolder, "99.pev", Rows({{kWavOnce, "once.wav"}, {kEndless, kBackToStart}}));
        show.m.ListTable[1][2] = eventFile;
        show.Click();
        QCOMPARE(show.w->lstItems->item(11)->text(), "12　項目12");
        for (const int key : keys) show.Key(key);
        if (keys.isEmpty()) {
            QListWidget* items = show.w->lstItems;
            QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, items->visualItemRect(items->item(4)).center());
        }
        QCOMPARE(show.w->isVisible() ? show.State() : "ended", after);
        QCOMPARE(QAccessible::queryAccessibleInterface(show.w->lblBand)->text(QAccessible::Name), show.w->lblBand->text());
    }

    // An item played: waits are honoured (a key does not cut them short), a text waits for the
    // audience, エンドレス goes round, the first empty row returns to the list, and sounds stop.
    void item()
    {
        Show show({{"写真", {{kPicture, "A.BMP"}, {kWavLoop, "loop.wav"}, {kWait, "500"}, {kText, "一"}, {kPicture, "gone.bmp"}, {kPicture, "b.bmp"}, {kWait, "200"}, {kClearText, ""}, {kText, "二"}, {kWavOnce, "once.wav"}, {kWavStop, ""}}},
                   {"回る", {{kText, "A"}, {kEndless, kBackToStart}}}});
        show.Click();
        const struct {
            const char* step;
            std::function<void()> act;
            const char* state;
        } steps[] = {
            {"Enter on the first", [&] { show.Key(Qt::Key_Return); }, "item||500|P1024"},
            {"Space in a wait", [&] { show.Key(Qt::Key_Space); }, "item||500|P1024"},
            {"the wait ends", [&] { show.Tick(); }, "item|一|0|P1024"},
            {"a stray tick", [&] { show.Tick(); }, "item|一|0|P1024"},
            {"a double click's second click", [&] { show.SecondClick(); }, "item|一|0|P1024"},
            {"→ past the missing picture", [&] { show.Key(Qt::Key_Right); }, "item|一|200|P576"},
            {"the wait ends", [&] { show.Tick(); }, "item|二|0|P576"},
            {"a click to the empty row", [&] { show.Click(); }, "list|ようこそ|0|"},
            {"↓ to the second", [&] { show.Key(Qt::Key_Down); }, "list|ようこそ|0|"},
            {"Enter on it", [&] { show.Key(Qt::Key_Return); }, "item|A|0|"},
            {"Space round エンドレス", [&] { show.Key(Qt::Key_Space); }, "item|A|0|"},
        };
        for (const auto& s : steps) {
            s.act();
            QVERIFY2(show.State() == s.state, qPrintable(QString(s.step) + ": " + show.State()));
        }
        QCOMPARE(show.platform.sounds.join(','), "loop loop.wav,once once.wav,stop,stop");
    }

    // Escape during a wait returns to the list at once and stops the sound; the rows skipped are
    // listed once, after the start graphic that is missing. A picture replaced at once shows when
    // its replacement cannot.
    void escapeAndSkipped()
    {
        Show show({{"写真", {{kWavLoop, "loop.wav"}, {kPicture, "b.bmp"}, {kPicture, "gone.bmp"}, {kWait, "900"}}}}, "none.bmp");
        show.Click();
        for (int round = 0; round < 2; ++round) {
            show.Key(Qt::Key_Return);
            QCOMPARE(show.State(), "item||900|P576");
            show.Key(Qt::Key_Escape);
            QCOMPARE(show.State(), "list|ようこそ|0|");
            QCOMPARE(show.platform.sounds.last(), "stop");
        }
        QCOMPARE(show.w->SkippedMessage(), EventRules::SkippedRowsMessage({"スタートグラフィック（none.bmp）", "「写真」3（gone.bmp）"}));
    }

    // While the rehearsal shows, the screen saver is held off; the pointer hides after two seconds
    // without a move and comes back with the next move, over the picture as over the list.
    void screenSaverAndPointer()
    {
        Show show(Numbered(1));
        QVERIFY(show.platform.screenSaverHeld);
        QCOMPARE(show.w->cursor().shape(), Qt::ArrowCursor);
        for (QWidget* area : {static_cast<QWidget*>(show.w->imgPicture), show.w->findChild<QListWidget*>("lstItems")->viewport()}) {
            QTRY_COMPARE_WITH_TIMEOUT(show.w->cursor().shape(), Qt::BlankCursor, 3000);
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(area, &move);
            QCOMPARE(show.w->cursor().shape(), Qt::ArrowCursor);
        }
        show.w->close();
        QVERIFY(!show.platform.screenSaverHeld);
    }

    // Digits typed within a second make one number; a pause or a zero starts anew.
    void numberTyping()
    {
        const struct {
            const char* name;
            QList<int> typed;
            int chosen;
        } cases[] = {
            // digit, then milliseconds
            {"a pause starts a new number", {1, 0, 2, 1000}, 2},
            {"zero chooses none", {0, 0}, 0},
            {"a digit after zero starts anew", {0, 0, 4, 10}, 4},
        };
        for (const auto& c : cases) {
            Rehearsal::NumberTyping typing;
            int chosen = 0;
            for (int i = 0; i < c.typed.size(); i += 2) chosen = typing.Type(c.typed[i], c.typed[i + 1], 12);
            QVERIFY2(chosen == c.chosen, c.name);
        }
    }

    // The pictures decoded ahead are those that stay on the screen, as play meets them.
    void nextPictureShown()
    {
        const struct {
            const char* name;
            QList<QStringList> events;
            int next;
        } cases[] = {
            {"before a wait", {{kPicture, "a"}, {kWait, "1"}, {kPicture, "b"}, {kWait, "1"}}, 3},
            {"one replaced at once is passed", {{kPicture, "a"}, {kPicture, "b"}, {kPicture, "c"}, {kText, "t"}}, 3},
            {"round エンドレス", {{kPicture, "a"}, {kWait, "1"}, {kEndless, ""}}, 1},
            {"none stays before the end", {{kPicture, "a"}, {kWait, "1"}, {kPicture, "b"}}, 0},
        };
        for (const auto& c : cases) QVERIFY2(Rehearsal::NextPictureShown(Rows(c.events), 1) == c.next, c.name);
    }
};

PELUMO_GUI_TEST_MAIN(TestRehearsal)
#include "tst_rehearsal.moc"
