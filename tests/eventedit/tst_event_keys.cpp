// The event editor's keys, wheel and undo against what its buttons do.

#include "core/EventKinds.h"
#include "eventedit/frmPelumo3.h"
#include "support/RowWalk.h"

using namespace EventKinds;

namespace {

// The three rows, the play button and the preview's text.
const QStringList kView = {"lblNoBefore", "lblYousoBefore", "lblTextUe", "lblNo", "lblYouso", "lblText", "lblNoNext", "lblYousoNext", "lblTextSita", "cmdPlay", "lblTextKasou"};

}  // namespace

class TestEventKeys : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // An item of 995 texts driven by keys and the wheel, and by the buttons (moved by them where
    // Home and End go): each key under its button's condition. While a play runs only Escape works.
    void keysAndWheelDoWhatTheButtonsDo()
    {
        QList<QStringList> texts;
        for (int row = 1; row <= 995; ++row) texts.append({kText, QString::number(row)});
        RowWalk::Walk<frmPelumo3>({{"題名", texts}}, kView, "lblNo", {"cmd10Before", "cmdBefore", "cmd10Next", "cmdNext"},
                                  {
                                      {"Up", "cmdBefore", 1},
                                      {"wheel down lblText", "cmdNext", 2},
                                      {"wheel down Command3", nullptr, 2},
                                      {"PgDown", "cmd10Next", 12},
                                      {"PgUp", "cmd10Before", 2},
                                      {"PgUp", "cmd10Before", 2},
                                      {"wheel up lblTextUe", "cmdBefore", 1},
                                      {"End", nullptr, 995},
                                      {"Down", "cmdNext", 996},
                                      {"Down", "cmdNext", 996},
                                      {"wheel down lblYousoNext", "cmdNext", 996},
                                      {"PgUp", "cmd10Before", 986},
                                      {"PgDown", "cmd10Next", 986},
                                      {"cmdPlay", "cmdPlay", 986},
                                      {"Home", nullptr, 986},
                                      {"F2", nullptr, 986},
                                      {"wheel up lblNo", nullptr, 986},
                                      {"Esc", "cmdPlay", 986},
                                      {"Home", nullptr, 1},
                                  });
    }

    // Each change is one step back (an insert with its edit is one), a cancelled edit none; redo
    // goes forward until a new change. Undoing everything and returning writes the file as it was.
    void undoAndRedo()
    {
        RowWalk::Window<frmPelumo3> editor({{"題名", {{kText, "A"}, {kText, "B"}, {kWait, "1500"}, {kText, "D"}}}});
        const QString file = editor.dir.filePath("1.pev");
        const QByteArray opened = Bytes::Read(file);
        const Modal::Handler command1 = [](QWidget* w) { Modal::Click(w, "Command1"); };  // Yes, or Cancel in the kind picker
        struct Answer {
            const char* form;
            Modal::Handler answer;
        };
        const struct {
            const char* input;
            QList<Answer> answers;
            int state;  // the table and view it equals: a new one when first met; -1 unchecked
        } steps[] = {
            {"cmdSounyuSita", {{"form2", Modal::Enter(kText)}, {"frmText2", Modal::Enter("新")}}, 1},
            {"F2", {{"form2", Modal::Enter(kWait)}, {"frmWait", Modal::Enter("300")}}, 2},
            {"F2", {{"form2", command1}}, 2},
            {"cmdSakujoUe", {{"frmYesNo", command1}}, 3},
            {"cmdSakujoSita", {{"frmYesNo", command1}}, 4},
            {"Ctrl+Z", {}, 3},
            {"Ctrl+Z", {}, 2},
            {"End", {}, -1},
            {"Ctrl+Y", {}, 3},
            {"Ctrl+Shift+Z", {}, 4},
            {"Ctrl+Z", {}, 3},
            {"Ctrl+Z", {}, 2},
            {"Ctrl+Z", {}, 1},
            {"cmdSounyuUe", {{"form2", Modal::Enter(kClearText)}}, 5},
            {"Ctrl+Y", {}, 5},
            {"Ctrl+Z", {}, 1},
            {"Ctrl+Z", {}, 0},
            {"Ctrl+Z", {}, 0},
        };
        QList<std::pair<EventRows, QString>> states{{editor.m->EventTable, editor.Shown(kView)}};
        for (const auto& step : steps) {
            for (const Answer& a : step.answers) Modal::Expect(a.form, a.answer);
            RowWalk::Do(editor.w.get(), step.input);
            if (step.state == states.size()) states.append({editor.m->EventTable, editor.Shown(kView)});
            if (step.state < 0) continue;
            const QString at = QStringLiteral("%1 → %2: ").arg(step.input).arg(step.state);
            QCOMPARE(at + editor.Shown(kView), at + states[step.state].second);
            QVERIFY2(editor.m->EventTable == states[step.state].first, qPrintable(at));
        }
        RowWalk::Do(editor.w.get(), "Command3");
        QCOMPARE(Bytes::Read(file), opened);
    }
};

PELUMO_GUI_TEST_MAIN(TestEventKeys)
#include "tst_event_keys.moc"
