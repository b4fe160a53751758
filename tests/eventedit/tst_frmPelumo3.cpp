// The event editor on real event files, its dialogs answered as a user would;
// its keys, wheel and undo against what its buttons do.

#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/Records.h"
#include "eventedit/frmPelumo3.h"
#include "support/RowWalk.h"

using namespace EventKinds;
using namespace EventRules;

namespace {

using Editor = RowWalk::Window<frmPelumo3>;

// Number, kind and parameter of the upper, current and lower row.
const QStringList kRows = {"lblNoBefore", "lblYousoBefore", "lblTextUe", "lblNo", "lblYouso", "lblText", "lblNoNext", "lblYousoNext", "lblTextSita"};

// Item "題名" with `events`.
QList<Shows::Item> Item(const QList<QStringList>& events) { return {{"題名", events}}; }

// "text|sound calls|P while a picture shows" of the preview.
QString Preview(const Editor& e)
{
    const bool picture = !Control<QLabel>(e.w.get(), "imgA_kasou")->pixmap().isNull();
    return Text(e.w.get(), "lblTextKasou") + '|' + e.platform.sounds.join(',') + (picture ? "|P" : "|");
}

// The play: "row wait-ms" while its clock "Timer1" runs, "row text" while it waits for "次へ", "row
// stopped"; "locked" while the return button does not work.
QString PlayState(const Editor& e)
{
    const QString row = QString::number(e.m->EventIndex) + (Control(e.w.get(), "Command3")->isEnabled() ? " " : " locked ");
    if (Text(e.w.get(), "cmdPlay") != QStringLiteral("■ 停止")) return row + "stopped";
    const auto* clock = Control<QTimer>(e.w.get(), "Timer1");
    return row + (clock->isActive() ? QString::number(clock->interval()) : Text(e.w.get(), "lblTextKasou"));
}

// Clicks `button`, picking `kind` in form2, then answers `form` (if given) with `answer`.
void Edit(const Editor& e, const char* button, const QString& kind, const char* form = nullptr, const Modal::Handler& answer = Modal::Press("Command1"))
{
    Modal::Expect("form2", Modal::Enter(kind));
    if (form) Modal::Expect(form, answer);
    Modal::Click(e.w.get(), button);
}

}  // namespace

class TestFrmPelumo3 : public WindowTest {
    Q_OBJECT

private slots:

    // Every kind previewed by ▼ onto it, with its message; a picture stays until one that can be
    // shown. "次へ" applies the rows up to the next text, showing the last picture it passed.
    void previewAndPlayForward()
    {
        Editor item(Item({{kText, "A"}, {kWavStop, ""}, {kWait, "1000"}, {kClearText, ""}, {kPicture, "P.BMP"}, {kPicture, "gone.bmp"}, {kWavOnce, "s.wav"}, {kWavLoop, "S.WAV"}, {kText, "B"}, {kWavOnce, "none.wav"}, {kEndless, kBackToStart}}), {"p.bmp", "s.wav"});
        const std::pair<const char*, QString> rows[] = {
            // the preview; the notice shown
            {"A|stop|", {}},
            {"1000||", {}},
            {" ||", {}},
            {" ||P", {}},
            {" ||P", MissingPictureNotice()},
            {" |stop,once s.wav|P", {}},
            {" |stop,loop s.wav|P", {}},
            {"B||P", {}},
            {"B||P", MissingWavNotice()},
            {"B||P", {}},
        };
        for (const auto& [shown, notice] : rows) {
            item.platform.sounds.clear();
            Modal::Reset();
            if (!notice.isEmpty()) Modal::Expect("frmError");
            Modal::Click(item.w.get(), "cmdNext");
            QCOMPARE(Preview(item), shown);
            QCOMPARE(Modal::Texts().join(""), notice);
        }
        QCOMPARE(item.Shown(kRows), "10|" + kWavOnce + "|none.wav|11|" + kEndless + '|' + kBackToStart + "|12||");

        item.platform.sounds.clear();
        item.Open();
        Modal::ClickOpening(item.w.get(), "cmdNext_Kasou", "frmError");
        QCOMPARE(QString::number(item.m->EventIndex) + Preview(item), "9B|stop,stop,once s.wav,stop,loop s.wav|P");
    }

    // A wait made a text (the dialog shows the number, keeps blanks); Cancel in the kind picker
    // replays nothing; without pictures or wav files, a message and an emptied row; the picture
    // picker offers pictures only and, closed through its frame, leaves the row empty.
    void editing()
    {
        Editor item(Item({{kWait, "1500"}, {kWavLoop, "b.wav"}, {kText, "3"}}), {"b.wav", "notes.txt"});
        QWidget* w = item.w.get();
        const auto row = [&](int r) { return item.m->EventTable[r][0] + ':' + item.m->EventTable[r][1]; };
        Edit(item, "cmdHenshu", kText, "frmText2", [](QWidget* d) {
            QCOMPARE(Text(d, "txtText"), "1500");
            Modal::Enter(QStringLiteral("  新  "))(d);
        });
        QCOMPARE(row(1) + '|' + Text(w, "lblTextKasou"), kText + QStringLiteral(":  新  |  新  "));
        Modal::Click(w, "cmdNext");
        const QStringList sounds = item.platform.sounds;
        Modal::ClickOpening(w, "cmdHenshu", "form2");  // its Cancel
        QCOMPARE(row(2) + item.platform.sounds.join(','), kWavLoop + ":b.wav" + sounds.join(','));
        Edit(item, "cmdHenshu", kPicture, "frmError");
        QVERIFY(QFile::remove(item.dir.filePath("b.wav")));
        Edit(item, "cmdSounyuSita", kWavLoop, "frmError");
        QCOMPARE(Modal::Texts().mid(3), (QStringList{"", NoPictureMessage(), "", NoWavMessage()}));
        QCOMPARE(item.Shown(kRows), "2|||3|||4|" + kText + "|3");
        QVERIFY(item.Put("a.BMP"));
        Edit(item, "cmdHenshu", kPicture, "frmFilesentaku", [](QWidget* d) {
            QCOMPARE(Control<QListWidget>(d, "File1")->count(), 1);
            QCOMPARE(Control<QListWidget>(d, "File1")->item(0)->text(), "a.BMP");
            d->close();
        });
        QCOMPARE(row(3), ":");
    }

    // "▶ ここから再生" as the window shows it: only "■ 停止" and "次へ" work while it plays, and it
    // goes on when the clock has waited. The rows skipped for missing files are told when it stops;
    // Escape stops it and keeps the window. A failed write on return says so and keeps the window
    // (the frame does not close it either); the next return stops the sound, closes and writes the
    // file. An item that would spin forever is refused.
    void playAndReturn()
    {
        Editor item(Item({{kText, "A"}, {kWait, "1"}, {kPicture, "gone.bmp"}, {kWavOnce, "none.wav"}, {kWavLoop, "s.wav"}, {kWait, "1500"}}), {"s.wav"});
        QWidget* w = item.w.get();
        Modal::Click(w, "cmdPlay");
        QCOMPARE(PlayState(item), "1 locked A");
        Modal::Click(w, "cmdNext_Kasou");
        QTRY_COMPARE(PlayState(item), "6 locked 1500");
        Modal::ClickOpening(w, "cmdPlay", "frmError");
        QCOMPARE(Modal::Texts(), QStringList{SkippedRowsMessage({"3（gone.bmp）", "4（none.wav）"})});
        QCOMPARE(PlayState(item), "6 stopped");
        QCOMPARE(item.platform.sounds.last(), "stop");
        Modal::Click(w, "cmdPlay");
        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(PlayState(item), "6 stopped");
        QVERIFY(w->isVisible());

        item.platform.noSoundDevice = true;  // the loop is silent: the window says why
        item.Open();
        w = item.w.get();
        QVERIFY(Control(w, "lblSound")->isVisibleTo(w));
        w->close();
        const QString file = item.dir.filePath("1.pev");
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        Modal::ClickOpening(w, "Command3", "frmError");
        QCOMPARE(Modal::Texts().last(), Records::SaveFailedMessage("1.pev"));
        QVERIFY(w->isVisible());
        QVERIFY(QDir().rmdir(file));
        item.platform.sounds.clear();
        Modal::Click(w, "Command3");
        QVERIFY(!w->isVisible());
        QCOMPARE(item.platform.sounds, QStringList{"stop"});
        QVERIFY(QFileInfo(file).isFile());

        Editor spins(Item({{kWavOnce, "s.wav"}, {kEndless, kBackToStart}}), {"s.wav"});
        Modal::ClickOpening(spins.w.get(), "cmdPlay", "frmError");
        QCOMPARE(Modal::Texts().last() + '|' + PlayState(spins), SpinsForeverMessage() + "|1 stopped");
    }

    // A full item of 999 texts, all alike (the two windows are compared with each other), driven
    // by keys and the wheel, and by the buttons (moved by them where Home and End go): each key
    // under its button's condition. While a play runs only Escape works. A full item refuses
    // inserts. (A list row that names another file as an item's events is refused, and the file
    // kept, in the whole program's test on hostile folders.)
    void keysAndWheelDoWhatTheButtonsDo()
    {
        Modal::AnswerOthers(Modal::Press("Command1"));
        const QList<RowWalk::Step> steps = {
            {"Up", "cmdBefore", 1},
            {"wheel down lblText", "cmdNext", 2},
            {"wheel down Command3", nullptr, 2},
            {"PgDown", "cmd10Next", 12},
            {"PgUp", "cmd10Before", 2},
            {"PgUp", "cmd10Before", 2},
            {"wheel up lblTextUe", "cmdBefore", 1},
            {"cmdSounyuUe", "cmdSounyuUe", 1},
            {"End", nullptr, 999},
            {"Down", "cmdNext", 1000},
            {"Down", "cmdNext", 1000},
            {"PgUp", "cmd10Before", 990},
            {"PgDown", "cmd10Next", 990},
            {"cmdSounyuSita", "cmdSounyuSita", 990},
            {"cmdPlay", "cmdPlay", 990},
            {"F2", nullptr, 990},
            {"Esc", "cmdPlay", 990},
            {"Home", nullptr, 1},
        };
        RowWalk::Walk<frmPelumo3>(Item(QList<QStringList>(999, {kText, "x"})), kRows + QStringList{"cmdPlay", "lblTextKasou"}, "lblNo", {"cmd10Before", "cmdBefore", "cmd10Next", "cmdNext"}, steps);
        QCOMPARE(Modal::Texts(), QStringList(4, ListFullMessage()));  // each insert in both windows
    }

    // Insert and delete (after a question: "No" keeps the row), each change one step back (an
    // insert with its edit is one), a cancelled edit none; redo goes forward until a new change.
    void undoAndRedo()
    {
        Editor editor(Item({{kText, "A"}, {kText, "B"}, {kWait, "1500"}, {kText, "D"}}));
        const struct {
            const char* input;
            QList<std::pair<const char*, Modal::Handler>> answers;  // each form that opens and its answer
            int state;                                              // the table and view it equals: a new one when first met; -1 unchecked
            const char* rows;                                       // of a new one: the current row and the parameters of the events
        } steps[] = {
            {"cmdSounyuSita", {{"form2", Modal::Enter(kText)}, {"frmText2", Modal::Enter("新")}}, 1, "2: A 新 B 1500 D"},
            {"F2", {{"form2", Modal::Enter(kWait)}, {"frmWait", Modal::Enter("300")}}, 2, "2: A 300 B 1500 D"},
            {"F2", {{"form2", Modal::Press("Command1")}}, 2, nullptr},
            {"cmdSakujoUe", {{"frmYesNo", Modal::Press("Command1")}}, 3, "2: 300 B 1500 D"},
            {"cmdSakujoSita", {{"frmYesNo", Modal::Press("Command2")}}, 3, nullptr},
            {"cmdSakujoSita", {{"frmYesNo", Modal::Press("Command1")}}, 4, "2: 300 B D"},
            {"Ctrl+Z", {}, 3, nullptr},
            {"Ctrl+Z", {}, 2, nullptr},
            {"End", {}, -1, nullptr},
            {"Ctrl+Y", {}, 3, nullptr},
            {"Ctrl+Shift+Z", {}, 4, nullptr},
            {"Ctrl+Z", {}, 3, nullptr},
            {"Ctrl+Z", {}, 2, nullptr},
            {"Ctrl+Z", {}, 1, nullptr},
            {"cmdSounyuUe", {{"form2", Modal::Enter(kClearText)}}, 5, "2: A  新 B 1500 D"},
            {"Ctrl+Y", {}, 5, nullptr},
            {"Ctrl+Z", {}, 1, nullptr},
            {"Ctrl+Z", {}, 0, nullptr},
            {"Ctrl+Z", {}, 0, nullptr},
            {"End", {}, -1, nullptr},
            {"Down", {}, -1, nullptr},
            {"cmdSakujoUe", {{"frmYesNo", Modal::Press("Command1")}}, 6, "4: A B 1500"},
        };
        const auto rows = [&] {
            QStringList events;
            for (int r = 1; !editor.m->EventTable[r][0].isEmpty(); ++r) events << editor.m->EventTable[r][1];
            return QString::number(editor.m->EventIndex) + ": " + events.join(' ');
        };
        QList<std::pair<EventRows, QString>> states{{editor.m->EventTable, editor.Shown(kRows)}};
        for (const auto& step : steps) {
            for (const auto& [form, answer] : step.answers) Modal::Expect(form, answer);
            RowWalk::Do(editor.w.get(), step.input);
            const QString at = QStringLiteral("%1 → %2: ").arg(step.input).arg(step.state);
            if (step.rows) QCOMPARE(at + rows(), at + step.rows);
            if (step.state == states.size()) states.append({editor.m->EventTable, editor.Shown(kRows)});
            if (step.state < 0) continue;
            QCOMPARE(at + editor.Shown(kRows), at + states[step.state].second);
            QVERIFY2(editor.m->EventTable == states[step.state].first, qPrintable(at));
        }
        QCOMPARE(Modal::Texts().filter(QStringLiteral("削除")), (QStringList{DeleteQuestion(1), DeleteQuestion(3), DeleteQuestion(3), DeleteQuestion(4)}));
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo3)
#include "tst_frmPelumo3.moc"
