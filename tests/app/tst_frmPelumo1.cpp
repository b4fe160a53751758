// The top menu through its buttons, with the chooser, list editor and message
// boxes answered; the folder chooser and the item picker it opens.

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/EventRules.h"
#include "core/ListDataFile.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

namespace {

// A new folder; unless `items` is -1, with a list data file of that many items and `startGraphic`.
QString NewFolder(int items = -1, const QString& startGraphic = {})
{
    static QTemporaryDir tmp;
    static int made = 0;
    auto m = std::make_unique<Module1>();
    m->ProjectFolder = QFileInfo(tmp.path()).canonicalFilePath() + QStringLiteral("/p%1").arg(++made);
    m->PrepareNewList();
    for (int k = 1; k <= items; ++k) m->ListTable[k][1] = QString::number(k), m->ListTable[k][2] = QString("%1.pev").arg(k);
    m->ListTable[Module1::kStartGraphicRow][1] = startGraphic;
    m->LastEventFileNumber = 7;  // the counter of event file names, beyond the items' own
    return QDir().mkpath(m->ProjectFolder) && (items < 0 || ListDataFile::Write(*m).ok) ? m->ProjectFolder : QString();
}

struct Top {
    Module1 m;
    FakePlatform p;
    frmPelumo1 w{m, p};
    bool Shown(QWidget* button) const { return button->isVisibleTo(&w); }
    // Clicks `b`; the chooser opens `folder` (Cancel if empty); the window `then` gets a click on `button`.
    void Choose(QPushButton* b, const QString& folder, const char* then = nullptr, const char* button = "Command1")
    {
        Modal::Expect("frmPelumo5", [=](QWidget* w) {
            auto* chooser = static_cast<frmPelumo5*>(w);
            (folder.isEmpty() || !chooser->OpenFolder(folder) ? chooser->Command1 : chooser->cmdOk)->click();
        });
        if (then) Modal::Expect(then, button);
        b->click();
    }
};

}  // namespace

class TestFrmPelumo1 : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // A new project starts empty; a folder with list data is refused; without a folder nothing opens.
    void newProject()
    {
        Top t;
        t.m.ListTable[5][1] = "earlier project";
        const QString folder = NewFolder();
        t.Choose(t.w.cmdSinki, folder, "frmPelumo4", "cmdOk");
        QCOMPARE(t.m.ListTable[5][1] + t.w.lblPath->text(), folder);
        QVERIFY(t.Shown(t.w.cmdlistSakusei) && t.Shown(t.w.cmdSakusei));
        QVERIFY(t.Shown(t.w.cmdRehearsal));
        t.w.cmdSakusei->click();  // no item yet
        QCOMPARE(t.w.lblTopText->text(), "リスト項目がありません。\r\nまず、１つ以上リスト項目を作成して下さい。");

        t.m.ListTable[5][1] = "kept";
        t.Choose(t.w.cmdSinki, NewFolder(0));
        QCOMPARE(t.m.ListTable[5][1], "kept");
        for (QPushButton* b : {t.w.cmdlistSakusei, t.w.cmdSakusei}) {
            t.w.lblTopText->clear();
            b->click();
            QCOMPARE(t.w.lblTopText->text(), "データを保存するフォルダが指定されていません。\r\n新規にフォルダを指定するか、以前のデータを読み込んでください。");
        }
        QCOMPARE(t.p.beeps, 4);
    }

    // Every way a load ends: Cancel, no list data, an empty row 1, a missing start graphic, and
    // Cancel after a load, which reads the open folder again. Then the item picker.
    void load()
    {
        Top t;
        QVERIFY(!t.Shown(t.w.cmdlistSakusei) && !t.Shown(t.w.cmdSakusei));
        t.m.ListTable[5][1] = "kept";
        t.Choose(t.w.cmdLoad, {});
        QCOMPARE(t.m.ListTable[5][1], "kept");
        t.Choose(t.w.cmdLoad, NewFolder());
        QCOMPARE(t.p.beeps, 1);
        QCOMPARE(t.w.lblTopText->text() + t.w.lblPath->text(), "選択したフォルダには、リストデータ(listdata.pld)が存在しません。\r\nこのフォルダに新規に作成するか、別のフォルダを選択してください。");

        const QString empty = NewFolder(0), items = NewFolder(2, "start.bmp");
        t.Choose(t.w.cmdLoad, empty);
        QVERIFY(t.Shown(t.w.cmdlistSakusei) && !t.Shown(t.w.cmdSakusei));
        QVERIFY(!t.Shown(t.w.cmdRehearsal));
        t.Choose(t.w.cmdLoad, items, "frmError");
        QCOMPARE(t.m.LastEventFileNumber, 7);
        QCOMPARE(Modal::Texts().last(), "指定のスタートグラフィックファイルがありません。消されたか、名前が変更された可能性があります。「ペルモローダー」では、この項目は無視されます。");
        QVERIFY(t.Shown(t.w.cmdSakusei));
        QCOMPARE(t.w.lblTopText->text(), "ペルモ トップメニュー　　項目を選んで下さい。");
        // The rehearsal, left from its start screen, lists the start graphic it could not show.
        Modal::Expect("frmRehearsal", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        Modal::Expect("frmError");
        t.w.cmdRehearsal->click();
        QCOMPARE(Modal::Texts().last(), EventRules::SkippedRowsMessage({"スタートグラフィック（start.bmp）"}));
        t.m.ListTable[1][1] = "changed";
        t.Choose(t.w.cmdLoad, {}, "frmError");  // the picture is still missing
        QCOMPARE(t.m.ListTable[1][1] + '|' + t.w.lblPath->text(), "1|" + items);
        Modal::Expect("frmList", [](QWidget* w) {  // OK without a choice stays; Cancel opens no editor
            Modal::Click(w, "Command1");
            QVERIFY(w->isVisible());
            Modal::Click(w, "Command2");
        });
        t.w.cmdSakusei->click();
    }

    // The quit question from the button or the window frame, answered no or yes.
    void quit()
    {
        Top t;
        for (int ends = 0; const auto& [frame, yes] : {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
            Modal::Expect("frmYesNo", [yes = yes](QWidget* w) { Modal::Click(w, yes ? "Command1" : "Command2"); });
            QCOMPARE(frame ? t.w.close() : (t.w.Command1->click(), false), frame && yes);
            QCOMPARE(t.p.endRequests, ends += yes);
        }
        QCOMPARE(t.p.beeps, 8);  // the top menu's and the question box's, each time
        QCOMPARE(Modal::Texts(), QStringList(4, "「ペルモ」を終了します。いいですか？"));
    }

    // The folder chooser: files per mode; a click highlights, a double-click opens; OK refuses the
    // root; a drive that will not open is reported; the frame puts back PreviousFolder.
    void chooser()
    {
        QTemporaryDir tmp;
        const QString base = QFileInfo(tmp.path()).canonicalFilePath();
        QVERIFY(QDir(base).mkpath("sub/Folder.pld"));
        for (const char* name : {"a.txt", "B.PLD", "c.pld", "sub/inner.pld"}) QVERIFY(QFile(base + '/' + name).open(QIODevice::WriteOnly));
        QVERIFY(QDir::setCurrent(base));  // where every opening starts
        Module1 m;
        FakePlatform p;
        QCOMPARE(frmPelumo5(m, p).filSentaku->count(), 3);  // any mode but load: a.txt, B.PLD, c.pld
        m.CallerMode = Module1::kModeLoad;
        frmPelumo5 d(m, p);
        QCOMPARE(d.filSentaku->count(), 2);  // B.PLD, c.pld
        for (const auto click : {QTest::MouseClick, QTest::MouseDClick}) {
            d.show();
            const auto sub = d.dirSentaku->findItems("sub", Qt::MatchExactly | Qt::MatchRecursive).value(0);
            QTest::mouseEvent(click, d.dirSentaku->viewport(), Qt::LeftButton, {}, d.dirSentaku->visualItemRect(sub).center());
            d.cmdOk->click();
            QCOMPARE(m.ProjectFolder, click == QTest::MouseDClick ? base + "/sub" : base);
        }
        QCOMPARE(d.filSentaku->count(), 1);  // inner.pld, not the folder Folder.pld
        d.show();
        d.drvSentaku->addItem(base + "/unmounted", base + "/unmounted");  // went away after the list was made
        Modal::Expect("frmError");
        d.drvSentaku->setCurrentIndex(d.drvSentaku->count() - 1);
        QCOMPARE(Modal::Texts(), QStringList{"ディスクが準備されていません。"});
        QVERIFY(d.OpenFolder("/"));
        d.cmdOk->click();  // the root is refused
        QVERIFY(d.isVisible());
        m.PreviousFolder = "/earlier";
        d.close();
        QCOMPARE(m.ProjectFolder, "/earlier");
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo1)
#include "tst_frmPelumo1.moc"
