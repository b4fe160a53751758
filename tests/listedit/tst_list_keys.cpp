// The list editor's keys and wheel against what its buttons do.

#include "listedit/frmPelumo4.h"
#include "support/FakePlatform.h"
#include "support/RowWalk.h"
#include "support/Shows.h"

namespace {

// A list of items "1".."15", open in the list editor.
struct Editor {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m;
    FakePlatform platform;
    std::unique_ptr<frmPelumo4> w;

    Editor()
    {
        QList<Shows::Item> items;
        for (int row = 1; row <= 15; ++row) items.append({QString::number(row), {}});
        m = Shows::Make(dir.path(), items, {}, {});
        w = std::make_unique<frmPelumo4>(*m, platform);
        w->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w->show();
    }
    // The three rows and the folder's files.
    QString View() const
    {
        QStringList shown;
        for (const char* name : {"lblYousoUe", "lblListUe", "cmdYouso", "lblList", "lblYousoSita", "lblListSita"})
            shown << Control<QWidget>(w.get(), name)->property("text").toString();
        return shown.join('|') + '|' + QDir(dir.path()).entryList(QDir::Files).join(' ');
    }
};

}  // namespace

class TestListKeys : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // One window driven by keys and the wheel, one by the buttons (or moved by them to where Home
    // and End go); after each step both show the same rows and files.
    void keysAndWheelDoWhatTheButtonsDo()
    {
        Editor keys;
        Editor buttons;
        const struct {
            const char* input;
            const char* button;
            int row;
            const char* name = nullptr;  // typed into the name dialog it opens
        } steps[] = {
            {"Up", "cmdBefor", 1},
            {"PgUp", "cmd10Before", 1},
            {"wheel up lblListUe", "cmdBefor", 1},
            {"Down", "cmdNext", 2},
            {"wheel down lblList", "cmdNext", 3},
            {"PgDown", "cmd10Next", 13},
            {"PgDown", "cmd10Next", 13},
            {"End", nullptr, 15},
            {"Down", "cmdNext", 16},
            {"wheel down cmdYouso", "cmdNext", 16},
            {"Down", "cmdNext", 16},
            {"F2", "cmdHenshu", 16, "新"},
            {"Down", "cmdNext", 17},
            {"PgUp", "cmd10Before", 7},
            {"PgDown", "cmd10Next", 17},
            {"Ctrl+Z", nullptr, 17},
            {"Home", nullptr, 1},
        };
        for (const auto& step : steps) {
            for (Editor* editor : {&keys, &buttons}) {
                if (step.name) Modal::Expect("frmText1", Modal::Enter(step.name));
                if (editor == &keys)
                    RowWalk::Do(keys.w.get(), step.input);
                else if (step.button)
                    RowWalk::Do(buttons.w.get(), step.button);
                else
                    RowWalk::GoTo(buttons.w.get(), step.row, [&] { return int(buttons.m->ItemIndex); }, {"cmd10Before", "cmdBefor", "cmd10Next", "cmdNext"});
            }
            const QString at = QStringLiteral("%1 → %2: ").arg(step.input).arg(step.row);
            QCOMPARE(at + keys.View(), at + buttons.View());
            QCOMPARE(at + QString::number(buttons.m->ItemIndex), at + QString::number(step.row));
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestListKeys)
#include "tst_list_keys.moc"
