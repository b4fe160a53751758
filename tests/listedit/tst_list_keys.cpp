// The list editor's keys and wheel against what its buttons do.

#include "listedit/frmPelumo4.h"
#include "support/RowWalk.h"

class TestListKeys : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // A list of items "1".."15" driven by keys and the wheel, and by the buttons (moved by them
    // where Home and End go): each key under its button's condition, F2 as "← 編集".
    void keysAndWheelDoWhatTheButtonsDo()
    {
        QList<Shows::Item> show;
        for (int row = 1; row <= 15; ++row) show.append({QString::number(row), {}});
        Modal::AnswerOthers(Modal::Enter("新"));
        RowWalk::Walk<frmPelumo4>(show, {"lblYousoUe", "lblListUe", "cmdYouso", "lblList", "lblYousoSita", "lblListSita"}, "cmdYouso",
                                  {"cmd10Before", "cmdBefor", "cmd10Next", "cmdNext"},
                                  {
                                      {"Up", "cmdBefor", 1},
                                      {"wheel down lblList", "cmdNext", 2},
                                      {"PgDown", "cmd10Next", 12},
                                      {"PgDown", "cmd10Next", 12},
                                      {"wheel up lblListUe", "cmdBefor", 11},
                                      {"End", nullptr, 15},
                                      {"Down", "cmdNext", 16},
                                      {"Down", "cmdNext", 16},
                                      {"F2", "cmdHenshu", 16},
                                      {"wheel down cmdYouso", "cmdNext", 17},
                                      {"PgUp", "cmd10Before", 7},
                                      {"PgDown", "cmd10Next", 17},
                                      {"Ctrl+Z", nullptr, 17},
                                      {"Home", nullptr, 1},
                                  });
    }
};

PELUMO_GUI_TEST_MAIN(TestListKeys)
#include "tst_list_keys.moc"
