// The event editor's keys, wheel and undo against what its buttons do.

#include "core/EventKinds.h"
#include "eventedit/frmPelumo3.h"
#include "support/FakePlatform.h"
#include "support/RowWalk.h"
#include "support/Shows.h"

using namespace EventKinds;

namespace {

// An item of `events`, open in the event editor.
struct Editor {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m;
    FakePlatform platform;
    std::unique_ptr<frmPelumo3> w;

    explicit Editor(const QList<QStringList>& events)
    {
        m = Shows::Make(dir.path(), {{QStringLiteral("題名"), events}}, {}, {});
        m->ItemIndex = 1;
        w = std::make_unique<frmPelumo3>(*m, platform);
        w->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w->show();
    }
    // The three rows, the play button and the preview's text.
    QString View() const
    {
        QStringList shown;
        for (const char* name : {"lblNoBefore", "lblYousoBefore", "lblTextUe", "lblNo", "lblYouso", "lblText", "lblNoNext", "lblYousoNext", "lblTextSita", "cmdPlay", "lblTextKasou"})
            shown << Control<QWidget>(w.get(), name)->property("text").toString();
        return shown.join('|');
    }
    void GoTo(int row)
    {
        RowWalk::GoTo(w.get(), row, [this] { return m->EventIndex; }, {"cmd10Before", "cmdBefore", "cmd10Next", "cmdNext"});
    }
};

QList<QStringList> Texts(int count)
{
    QList<QStringList> events;
    for (int row = 1; row <= count; ++row) events.append({kText, QString::number(row)});
    return events;
}

}  // namespace

class TestEventKeys : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // One window driven by keys and the wheel, one by the buttons (or moved by them to where Home
    // and End go); after each step both show the same. While a play runs only Escape works.
    void keysAndWheelDoWhatTheButtonsDo()
    {
        Editor keys(Texts(995));
        Editor buttons(Texts(995));
        const struct {
            const char* input;
            const char* button;
            int row;
        } steps[] = {
            {"Up", "cmdBefore", 1},
            {"PgUp", "cmd10Before", 1},
            {"wheel up lblTextUe", "cmdBefore", 1},
            {"Down", "cmdNext", 2},
            {"wheel down lblText", "cmdNext", 3},
            {"PgDown", "cmd10Next", 13},
            {"PgUp", "cmd10Before", 3},
            {"PgUp", "cmd10Before", 3},
            {"End", nullptr, 995},
            {"Down", "cmdNext", 996},
            {"Down", "cmdNext", 996},
            {"wheel down lblYousoNext", "cmdNext", 996},
            {"PgUp", "cmd10Before", 986},
            {"PgDown", "cmd10Next", 986},
            {"wheel up lblNo", "cmdBefore", 985},
            {"PgDown", "cmd10Next", 995},
            {"cmdPlay", "cmdPlay", 995},
            {"Up", nullptr, 995},
            {"Home", nullptr, 995},
            {"F2", nullptr, 995},
            {"wheel up lblText", nullptr, 995},
            {"Esc", "cmdPlay", 995},
            {"Home", nullptr, 1},
        };
        for (const auto& step : steps) {
            RowWalk::Do(keys.w.get(), step.input);
            if (step.button)
                RowWalk::Do(buttons.w.get(), step.button);
            else
                buttons.GoTo(step.row);
            const QString at = QStringLiteral("%1 → %2: ").arg(step.input).arg(step.row);
            QCOMPARE(at + keys.View(), at + buttons.View());
            QCOMPARE(at + QString::number(buttons.m->EventIndex), at + QString::number(step.row));
        }
    }

    // Each change is one step back (an insert with its edit is one), a cancelled edit none; redo
    // goes forward until a new change. Undoing everything and returning writes the file as it was.
    void undoAndRedo()
    {
        Editor editor({{kText, "A"}, {kText, "B"}, {kWait, "1500"}, {kText, "D"}});
        const QString file = editor.dir.filePath("1.pev");
        const QByteArray opened = Bytes::Read(file);
        struct Answer {
            const char* form;
            QString value;  // entered; none: its Command1 (Yes, or Cancel in the kind picker)
        };
        const struct {
            const char* input;
            QList<Answer> answers;
            int state;  // the table and view it equals: a new one when first met; -1 unchecked
        } steps[] = {
            {"cmdSounyuSita", {{"form2", kText}, {"frmText2", "新"}}, 1},
            {"F2", {{"form2", kWait}, {"frmWait", "300"}}, 2},
            {"F2", {{"form2", {}}}, 2},
            {"cmdSakujoUe", {{"frmYesNo", {}}}, 3},
            {"cmdSakujoSita", {{"frmYesNo", {}}}, 4},
            {"Ctrl+Z", {}, 3},
            {"Ctrl+Z", {}, 2},
            {"End", {}, -1},
            {"Ctrl+Y", {}, 3},
            {"Ctrl+Shift+Z", {}, 4},
            {"Ctrl+Y", {}, 4},
            {"Ctrl+Z", {}, 3},
            {"Ctrl+Z", {}, 2},
            {"Ctrl+Z", {}, 1},
            {"cmdSounyuUe", {{"form2", kClearText}}, 5},
            {"Ctrl+Y", {}, 5},
            {"Ctrl+Z", {}, 1},
            {"Ctrl+Z", {}, 0},
            {"Ctrl+Z", {}, 0},
        };
        QList<std::pair<EventRows, QString>> states{{editor.m->EventTable, editor.View()}};
        for (const auto& step : steps) {
            for (const Answer& a : step.answers) {
                if (a.value.isEmpty())
                    Modal::Expect(a.form);
                else
                    Modal::Expect(a.form, Modal::Enter(a.value));
            }
            RowWalk::Do(editor.w.get(), step.input);
            if (step.state == states.size()) states.append({editor.m->EventTable, editor.View()});
            if (step.state < 0) continue;
            const QString at = QStringLiteral("%1 → %2: ").arg(step.input).arg(step.state);
            QCOMPARE(at + editor.View(), at + states[step.state].second);
            QVERIFY2(editor.m->EventTable == states[step.state].first, qPrintable(at));
        }
        RowWalk::Do(editor.w.get(), "Command3");
        QCOMPARE(Bytes::Read(file), opened);
    }
};

PELUMO_GUI_TEST_MAIN(TestEventKeys)
#include "tst_event_keys.moc"
