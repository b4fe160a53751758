// The list editor through its buttons, the real dialogs answered, the event
// files checked on disk; its keys and wheel against what its buttons do.

#include "core/EventKinds.h"
#include "core/ListDataFile.h"
#include "listedit/frmPelumo4.h"
#include "support/RowWalk.h"

namespace {

using Editor = RowWalk::Window<frmPelumo4>;

// Number and name of the rows above, at and below the current one.
const QStringList kRows = {"lblYousoUe", "lblListUe", "cmdYouso", "lblList", "lblYousoSita", "lblListSita"};

// Items "1".."count", each with an event file of no events.
QList<Shows::Item> Items(int count)
{
    QList<Shows::Item> items;
    for (int row = 1; row <= count; ++row) items.append({QString::number(row), {}});
    return items;
}

}  // namespace

class TestFrmPelumo4 : public WindowTest {
    Q_OBJECT

private slots:

    // Rename, insert, delete and an unnamed row, with their event files; an event file or a list that
    // cannot be written refuses and keeps the window; the start message goes back to item 1; the
    // start graphic is cleared in a folder without pictures, an undecodable one reported.
    void editing()
    {
        Editor editor(Items(3));
        editor.m->CallerMode = Module1::kModeListEditor;  // as the top menu opens it
        editor.m->ItemIndex = 37;                         // it opens on item 1 all the same
        editor.Open();
        QWidget* w = editor.w.get();
        const auto view = [&] { return editor.Shown(kRows) + ':' + editor.m->ListTable[editor.m->ItemIndex][2]; };
        RowWalk::Do(w, "cmdNext");
        Modal::ClickOpening(w, "cmdHenshu", "frmText1", Modal::Enter("B2"));
        Modal::ClickOpening(w, "cmdSounyu1", "frmText1", Modal::Enter("N"));
        Modal::ClickOpening(w, "cmdSounyu2", "frmText1", Modal::Enter("M"));
        Modal::ClickOpening(w, "cmdSakujo1", "frmYesNo", Modal::Press("Command2"));
        Modal::ClickOpening(w, "cmdSakujo1", "frmYesNo");
        Modal::ClickOpening(w, "cmdSakujo2", "frmYesNo");
        QCOMPARE(view(), "1|1|2|M|3|3:5.pev");
        RowWalk::Do(w, "cmdNext");
        RowWalk::Do(w, "cmdNext");
        Modal::Expect("frmText1", [](QWidget* d) { d->close(); });
        QTest::mouseClick(Control(w, "lblList"), Qt::LeftButton);  // the same as "← 編集"
        QCOMPARE(editor.Files(), "1.pev 3.pev 5.pev 6.pev LISTDATA.PLD");

        QVERIFY(QFile::remove(editor.dir.filePath("LISTDATA.PLD")));
        QVERIFY(QDir(editor.dir.path()).mkdir("LISTDATA.PLD"));
        QVERIFY(QDir(editor.dir.path()).mkdir("7.pev"));
        Modal::ClickOpening(w, "cmdSounyu1", "frmError");
        Modal::ClickOpening(w, "cmdSounyu2", "frmError");
        Modal::ClickOpening(w, "cmdHenshu", "frmError");                                        // the name is not asked
        QCOMPARE(view() + QString::number(editor.m->LastEventFileNumber), "3|3|4||5|:6.pev6");  // the unnamed row kept its file
        w->close();
        Modal::ClickOpening(w, "cmdOk", "frmError");
        QVERIFY(w->isVisible());

        Modal::ClickOpening(w, "Command1", "frmText1", Modal::Enter("ようこそ"));
        QCOMPARE(view(), "0|" + Module1::kDashLine + "|1|1|2|M:1.pev");
        editor.m->ListTable[Module1::kStartGraphicRow][1] = "gone.bmp";
        Modal::ClickOpening(w, "Command2", "frmError");
        QCOMPARE(Modal::Texts().last() + editor.m->ListTable[Module1::kStartGraphicRow][1], "このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。");
        QVERIFY(Bytes::Write(editor.dir.filePath("broken.jpg"), {}));
        Modal::ClickOpening(w, "Command2", "frmFilesentaku", [](QWidget* d) {
            Modal::Expect("frmError");
            Modal::Enter("broken.jpg")(d);
        });
        QCOMPARE(Modal::Texts().last(), "指定のスタートグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。");
    }

    // A full list refuses inserts, also below row 999 without an event file.
    void fullList()
    {
        Editor editor(Items(999));
        QWidget* w = editor.w.get();
        Modal::ClickOpening(w, "cmdSounyu1", "frmError");
        Modal::ClickOpening(w, "cmdSounyu2", "frmError");
        editor.m->ListTable[999][2].clear();
        RowWalk::Do(w, "End");
        Modal::ClickOpening(w, "cmdSounyu2", "frmError");
        QCOMPARE(Modal::Texts(), QStringList(3, "すでに999項目作成され、これ以上は作れません。"));
    }

    // "点検" lists what the check finds in the folder as it is; OK closes the list.
    void showCheck()
    {
        Editor editor({{"A", {{EventKinds::kText, "x"}}}}, {"50.pev"});
        editor.m->ListTable[2][1] = "B";
        editor.m->ListTable[2][2] = "20.pev";  // not on disk
        QStringList shown;
        Modal::ClickOpening(editor.w.get(), "cmdTenken", "frmTenken", [&](QWidget* d) {
            auto* list = Control<QListWidget>(d, "lstKekka");
            for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text().section(QStringLiteral("。"), 0, 0);
            Modal::Click(d, "cmdOk");
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(shown, (QStringList{"2番の項目「B」：イベントファイル「20.pev」がありません", "イベントファイル「50.pev」：どの項目にも使われていません"}));
    }

    // Items "1".."15" driven by keys and the wheel, and by the buttons (moved by them where Home
    // and End go): each key under its button's condition, F2 as "← 編集".
    void keysAndWheelDoWhatTheButtonsDo()
    {
        Modal::AnswerOthers(Modal::Enter("新"));
        const QList<RowWalk::Step> steps = {
            {"Up", "cmdBefor", 1},
            {"wheel down lblList", "cmdNext", 2},
            {"PgDown", "cmd10Next", 12},
            {"PgDown", "cmd10Next", 12},
            {"wheel up lblListUe", "cmdBefor", 11},
            {"End", nullptr, 15},
            {"Down", "cmdNext", 16},
            {"Down", "cmdNext", 16},
            {"F2", "cmdHenshu", 16},
            {"PgUp", "cmd10Before", 6},
            {"PgDown", "cmd10Next", 16},
            {"Home", nullptr, 1},
        };
        RowWalk::Walk<frmPelumo4>(Items(15), kRows, "cmdYouso", {"cmd10Before", "cmdBefor", "cmd10Next", "cmdNext"}, steps);
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo4)
#include "tst_frmPelumo4.moc"
