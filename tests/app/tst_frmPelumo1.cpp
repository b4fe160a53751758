// The top menu driven through its buttons on temporary project folders, with
// the folder chooser, the list editor and the message boxes answered as a
// user would.

#include "forms/Picture.h"
#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/ListDataFile.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

const QString kIdle = QStringLiteral("ペルモ トップメニュー　　項目を選んで下さい。");
const QString kNoFolder = QStringLiteral("データを保存するフォルダが指定されていません。\r\n"
                                          "新規にフォルダを指定するか、以前のデータを読み込んでください。");

// The chooser opens `folder` and answers OK, or Cancel when it is empty.
void AnswerChooser(const QString& folder)
{
    Modal::Expect(QStringLiteral("frmPelumo5"), [=](QWidget* w) {
        auto* chooser = static_cast<frmPelumo5*>(w);
        if (folder.isEmpty()) return chooser->Command1->click();
        QVERIFY(chooser->OpenFolder(folder));
        chooser->cmdOk->click();
    });
}

void AnswerButton(const char* form, const char* button)
{
    Modal::Expect(QLatin1String(form), [=](QWidget* w) { Modal::Click(w, QLatin1String(button)); });
}

// A list data file in `folder` holding `items` (item k uses "k.pev").
void WriteList(const QString& folder, const QStringList& items, const QString& startGraphic = {})
{
    Module1 m;
    m.ProjectFolder = folder;
    m.PrepareNewList();
    for (int k = 1; k <= items.size(); ++k) {
        m.ListTable[k][1] = items[k - 1];
        m.ListTable[k][2] = QStringLiteral("%1.pev").arg(k);
    }
    m.ListTable[Module1::kStartGraphicRow][1] = startGraphic;
    QVERIFY(ListDataFile::Write(m).ok);
}

// Marks every row of the list table (`fill`), or tells whether the marks are
// all still there: whether a command touched the table.
bool Sentinel(Module1& m, bool fill = false)
{
    bool kept = true;
    for (int row = 0; row < Module1::kRows; ++row) {
        if (fill) m.ListTable[row][1] = QString::number(row);
        kept = kept && m.ListTable[row][1] == QString::number(row);
    }
    return kept;
}

// A new, empty folder.
QString NewFolder()
{
    static QTemporaryDir tmp;
    static int made = 0;
    const QString path = QFileInfo(tmp.path()).canonicalFilePath() + QStringLiteral("/p%1").arg(++made);
    QDir().mkpath(path);
    return path;
}

struct Top {
    Module1 m;
    FakePlatform p;
    frmPelumo1 w{m, p};
    bool listShown() const { return w.cmdlistSakusei->isVisibleTo(&w); }
    bool eventShown() const { return w.cmdSakusei->isVisibleTo(&w); }
    // Loads `folder` (Cancel when empty), answering OK to a message box
    // of class `then` if one is named.
    void Load(const QString& folder, const char* then = nullptr)
    {
        AnswerChooser(folder);
        if (then) AnswerButton(then, "Command1");
        w.cmdLoad->click();
    }
};

}  // namespace

class TestFrmPelumo1 : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // New project on an empty folder, then on one with list data (refused),
    // then the list and event commands without item and without folder.
    void newProject_thenListAndEventCommands()
    {
        Top f;
        const QString folder = NewFolder();
        Sentinel(f.m, true);
        AnswerChooser(folder);
        Modal::Expect(QStringLiteral("frmPelumo4"), [&](QWidget* w) {
            QCOMPARE(f.m.CallerMode, Module1::kModeListEditor);
            for (int r = 0; r < Module1::kFileRows; ++r)
                QCOMPARE(f.m.ListTable[r][1], r == 0 ? Module1::kDashLine
                                              : r == Module1::kStartMessageRow ? Module1::kNewStartMessage
                                                                               : QString());
            Modal::Click(w, QStringLiteral("cmdOk"));
        });
        f.w.cmdSinki->click();
        QCOMPARE(Modal::Log(), (QStringList{"frmPelumo5", "frmPelumo4"}));
        QCOMPARE(f.w.lblPath->text(), folder);
        QVERIFY(f.listShown() && f.eventShown());

        f.w.cmdSakusei->click();  // no item yet
        QCOMPARE(f.w.lblTopText->text(),
                 QStringLiteral("リスト項目がありません。\r\nまず、１つ以上リスト項目を作成して下さい。"));

        // A folder with list data under any letter case is refused.
        const QString taken = NewFolder();
        QFile(taken + QStringLiteral("/listdata.PLD")).open(QIODevice::WriteOnly);
        Sentinel(f.m, true);
        AnswerChooser(taken);
        f.w.cmdSinki->click();
        QCOMPARE(f.p.beeps, 2);
        QCOMPARE(f.w.lblTopText->text(), QStringLiteral("指定されたフォルダには、すでにデータ(listdata.pld)が存在します。\r\n"
                                                        "これをロードするか、別のフォルダを選択してください。"));
        QCOMPARE(f.w.lblPath->text(), QString());
        QVERIFY(Sentinel(f.m));
        QVERIFY(f.listShown() && f.eventShown());

        // Without a folder both commands refuse and open nothing.
        f.w.cmdlistSakusei->click();
        QCOMPARE(f.w.lblTopText->text(), kNoFolder);
        f.w.lblTopText->clear();
        f.w.cmdSakusei->click();
        QCOMPARE(f.w.lblTopText->text(), kNoFolder);
        QCOMPARE(f.p.beeps, 4);
        QCOMPARE(Modal::Log().size(), 3);
    }

    // The start state, then every way a load ends: Cancel before any load, no
    // list data, an empty row 1, a missing, a broken and a good start graphic,
    // Cancel after a load.
    void load()
    {
        Top f;
        QVERIFY(!f.listShown() && !f.eventShown());
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        Sentinel(f.m, true);
        f.Load(QString());
        QCOMPARE(f.w.lblPath->text(), QString());
        QVERIFY(Sentinel(f.m));

        f.Load(NewFolder());
        QCOMPARE(f.p.beeps, 1);
        QCOMPARE(f.w.lblTopText->text(), QStringLiteral("選択したフォルダには、リストデータ(listdata.pld)が存在しません。\r\n"
                                                        "このフォルダに新規に作成するか、別のフォルダを選択してください。"));
        QCOMPARE(f.w.lblPath->text(), QString());

        const QString empty = NewFolder();
        WriteList(empty, {});
        f.Load(empty);
        QVERIFY(f.listShown() && !f.eventShown());

        const QString items = NewFolder();
        WriteList(items, {QStringLiteral("犬"), QStringLiteral("猫")}, QStringLiteral("start.bmp"));
        f.Load(items, "frmError");
        QCOMPARE(Modal::Texts().last(), QStringLiteral("指定のスタートグラフィックファイルがありません。"
            "消されたか、名前が変更された可能性があります。「ペルモローダー」では、この項目は無視されます。"));
        QVERIFY(f.listShown() && f.eventShown());
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        QCOMPARE(f.m.LastEventFileNumber, qint16(2));

        f.Load(empty);  // row 1 empty: the event button stays
        QVERIFY(f.eventShown());

        // A picture that cannot be decoded leaves the area empty.
        QVERIFY(QFile::copy(items + QStringLiteral("/LISTDATA.PLD"), items + QStringLiteral("/START.BMP")));
        f.Load(items, "frmError");
        QCOMPARE(Modal::Texts().last(), Picture::UnreadableStartGraphicMessage());
        QVERIFY(f.eventShown());

        // Cancel re-reads the folder that was open.
        f.m.ListTable[1][1] = QStringLiteral("changed");
        f.Load(QString(), "frmError");  // the picture is still broken
        QCOMPARE(f.m.ListTable[1][1], QStringLiteral("犬"));
        QCOMPARE(f.w.lblPath->text(), items);
        QCOMPARE(Modal::Log().size(), 10);
    }

    // The quit question, from the button and from the window frame.
    void quit()
    {
        Top f;
        AnswerButton("frmYesNo", "Command2");
        f.w.Command1->click();
        QCOMPARE(f.p.beeps, 2);  // the top menu's and the question box's
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral("「ペルモ」を終了します。いいですか？")});
        AnswerButton("frmYesNo", "Command2");
        QVERIFY(!f.w.close());
        QCOMPARE(f.p.endRequests, 0);

        AnswerButton("frmYesNo", "Command1");
        f.w.Command1->click();
        QCOMPARE(f.p.endRequests, 1);
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo1)
#include "tst_frmPelumo1.moc"
