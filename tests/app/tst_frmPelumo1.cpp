// The top menu through its buttons, with the chooser, list editor and message
// boxes answered; the folder chooser and the item picker it opens.

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/EventRules.h"
#include "core/ListDataFile.h"
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
    for (int k = 1; k <= items; ++k) {
        m->ListTable[k][1] = QString::number(k);
        m->ListTable[k][2] = QString("%1.pev").arg(k);
    }
    m->ListTable[Module1::kStartGraphicRow][1] = startGraphic;
    m->LastEventFileNumber = 7;  // the counter of event file names, beyond the items' own
    return QDir().mkpath(m->ProjectFolder) && (items < 0 || ListDataFile::Write(*m).ok) ? m->ProjectFolder : QString();
}

struct Top {
    Module1 m;
    FakePlatform p;
    frmPelumo1 w{m, p};
    // Which of the commands that need a project are shown.
    QString Shown() const
    {
        QStringList shown;
        for (const char* name : {"cmdlistSakusei", "cmdSakusei", "cmdRehearsal"})
            if (Control(&w, name)->isVisibleTo(&w)) shown << name;
        return shown.join(' ');
    }
    QString TopText() const { return Text(&w, "lblTopText"); }
    // Clicks `button`; the chooser opens `folder` (Cancel if empty); the window `then` gets a click on `answer`.
    void Choose(const char* button, const QString& folder, const char* then = nullptr, const char* answer = "Command1")
    {
        Modal::Expect("frmPelumo5", [=](QWidget* chooser) {
            const bool opened = !folder.isEmpty() && static_cast<frmPelumo5*>(chooser)->OpenFolder(folder);
            Modal::Click(chooser, opened ? "cmdOk" : "Command1");
        });
        if (then) Modal::Expect(then, answer);
        Modal::Click(&w, button);
    }
};

}  // namespace

class TestFrmPelumo1 : public WindowTest {
    Q_OBJECT

private slots:

    // One top menu through every way a new project and a load end: Cancel keeps what is open; a
    // folder without list data cannot be loaded but can hold a new project, which starts empty;
    // an empty row 1 opens the list only; a folder with list data is refused a new project, after
    // which nothing opens without a folder; a missing start graphic; Cancel after a load reads the
    // open folder again. Then the rehearsal and the item picker.
    void newProjectAndLoad()
    {
        Top t;
        QCOMPARE(t.Shown(), "");
        t.m.ListTable[5][1] = "kept";
        t.Choose("cmdLoad", {});
        QCOMPARE(t.m.ListTable[5][1], "kept");
        const QString folder = NewFolder();
        t.Choose("cmdLoad", folder);
        QCOMPARE(t.p.beeps, 1);
        QCOMPARE(t.TopText() + Text(&t.w, "lblPath"), "選択したフォルダには、リストデータ(listdata.pld)が存在しません。\r\nこのフォルダに新規に作成するか、別のフォルダを選択してください。");
        t.Choose("cmdLoad", NewFolder(0));
        QCOMPARE(t.Shown(), "cmdlistSakusei");
        t.m.ListTable[5][1] = "earlier project";
        t.Choose("cmdSinki", folder, "frmPelumo4", "cmdOk");
        QCOMPARE(t.m.ListTable[5][1] + Text(&t.w, "lblPath"), folder);
        QCOMPARE(t.Shown(), "cmdlistSakusei cmdSakusei cmdRehearsal");
        Modal::Click(&t.w, "cmdSakusei");  // no item yet
        QCOMPARE(t.TopText(), "リスト項目がありません。\r\nまず、１つ以上リスト項目を作成して下さい。");

        t.m.ListTable[5][1] = "kept";
        t.Choose("cmdSinki", NewFolder(0));
        QCOMPARE(t.m.ListTable[5][1], "kept");
        for (const char* button : {"cmdlistSakusei", "cmdSakusei"}) {
            Control<QLabel>(&t.w, "lblTopText")->clear();
            Modal::Click(&t.w, button);
            QCOMPARE(t.TopText(), "データを保存するフォルダが指定されていません。\r\n新規にフォルダを指定するか、以前のデータを読み込んでください。");
        }

        const QString items = NewFolder(2, "start.bmp");
        t.Choose("cmdLoad", items, "frmError");
        QCOMPARE(t.p.beeps, 6);  // the message box's own
        QCOMPARE(t.m.LastEventFileNumber, 7);
        QCOMPARE(Modal::Texts().last(), "指定のスタートグラフィックファイルがありません。消されたか、名前が変更された可能性があります。「ペルモローダー」では、この項目は無視されます。");
        QCOMPARE(t.Shown(), "cmdlistSakusei cmdSakusei cmdRehearsal");
        QCOMPARE(t.TopText(), "ペルモ トップメニュー　　項目を選んで下さい。");
        // The rehearsal, left from its start screen, lists the start graphic it could not show.
        Modal::Expect("frmRehearsal", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        Modal::ClickOpening(&t.w, "cmdRehearsal", "frmError");
        QCOMPARE(Modal::Texts().last(), EventRules::SkippedRowsMessage({"スタートグラフィック（start.bmp）"}));
        t.m.ListTable[1][1] = "changed";
        t.Choose("cmdLoad", {}, "frmError");  // the picture is still missing
        QCOMPARE(t.m.ListTable[1][1] + '|' + Text(&t.w, "lblPath"), "1|" + items);
        Modal::ClickOpening(&t.w, "cmdSakusei", "frmList", [](QWidget* w) {  // OK without a choice stays; Cancel opens no editor
            Modal::Click(w, "Command1");
            QVERIFY(w->isVisible());
            Modal::Click(w, "Command2");
        });
    }

    // The quit question from the button or the window frame, answered yes, or no by closing the
    // question's own frame (after a yes: the frame must say no, not leave the last answer).
    void quit()
    {
        Top t;
        int ends = 0;
        for (const auto& [frame, yes] : {std::pair{false, true}, {true, false}, {false, false}, {true, true}}) {
            Modal::Expect("frmYesNo", yes ? Modal::Press("Command1") : Modal::Handler([](QWidget* box) { box->close(); }));
            if (frame)
                QCOMPARE(t.w.close(), yes);
            else
                Modal::Click(&t.w, "Command1");
            ends += yes;
            QCOMPARE(t.p.endRequests, ends);
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
        frmPelumo5 anyMode(m, p);
        QCOMPARE(Control<QListWidget>(&anyMode, "filSentaku")->count(), 3);  // any mode but load: a.txt, B.PLD, c.pld
        m.CallerMode = Module1::kModeLoad;
        frmPelumo5 d(m, p);
        auto* files = Control<QListWidget>(&d, "filSentaku");
        auto* folders = Control<QTreeWidget>(&d, "dirSentaku");
        auto* drives = Control<QComboBox>(&d, "drvSentaku");
        QCOMPARE(files->count(), 2);  // B.PLD, c.pld
        for (const auto click : {QTest::MouseClick, QTest::MouseDClick}) {
            d.show();
            const auto sub = folders->findItems("sub", Qt::MatchExactly | Qt::MatchRecursive).value(0);
            QTest::mouseEvent(click, folders->viewport(), Qt::LeftButton, {}, folders->visualItemRect(sub).center());
            Modal::Click(&d, "cmdOk");
            QCOMPARE(m.ProjectFolder, click == QTest::MouseDClick ? base + "/sub" : base);
        }
        QCOMPARE(files->count(), 1);  // inner.pld, not the folder Folder.pld
        d.show();
        drives->addItem(base + "/unmounted", base + "/unmounted");  // went away after the list was made
        Modal::Expect("frmError");
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(Modal::Texts(), QStringList{"ディスクが準備されていません。"});
        QVERIFY(d.OpenFolder("/"));
        Modal::Click(&d, "cmdOk");  // the root is refused
        QVERIFY(d.isVisible());
        m.PreviousFolder = "/earlier";
        d.close();
        QCOMPARE(m.ProjectFolder, "/earlier");
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo1)
#include "tst_frmPelumo1.moc"
