// The top menu driven through its buttons, with the folder chooser, the list
// editor and the message boxes answered as a user would, on real temporary
// project folders. List data files are built here byte by byte.

#include "app/FormLayout.h"
#include "app/Module1.h"
#include "app/StartGraphic.h"
#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

const QString kIdle = QStringLiteral("ペルモ トップメニュー　　項目を選んで下さい。");
const QString kNoFolder = QStringLiteral(
    "データを保存するフォルダが指定されていません。\r\n"
    "新規にフォルダを指定するか、以前のデータを読み込んでください。");
const QString kMissingGraphic = QStringLiteral(
    "指定のスタートグラフィックファイルがありません。消されたか、名前が変更された可能性があります。"
    "「ペルモローダー」では、この項目は無視されます。");

// CP932 bytes of the texts used in the fixtures.
const QByteArray kDashBytes = QByteArray::fromHex("817c").repeated(10);    // －×10
const QByteArray kStartMessageBytes =
    QByteArray::fromHex("8d8096da82f0914982f182c582ad82be82b382a28142");  // 項目を選んでください。
const QByteArray kDogBytes = QByteArray::fromHex("8ca2");                  // 犬
const QByteArray kCatTamaBytes = QByteArray::fromHex("944c2c82bd82dc");    // 猫,たま

struct ListFixture {
    QList<QByteArray> items;  // names, CP932; item k gets "k.pev"
    QByteArray counter = "0";
    QByteArray startGraphic;
};

// 1005 records of two quoted fields, CR LF.
QByteArray ListFileBytes(const ListFixture& f)
{
    QByteArray out;
    for (int row = 0; row < 1005; ++row) {
        QByteArray a, b;
        if (row == 0) a = kDashBytes;
        if (row >= 1 && row <= f.items.size()) {
            a = f.items[row - 1];
            b = QByteArray::number(row) + ".pev";
        }
        if (row == 1001) a = f.counter;
        if (row == 1002) a = f.startGraphic;
        if (row == 1003) a = kStartMessageBytes;
        out += '"' + a + "\",\"" + b + "\"\r\n";
    }
    return out;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

void WritePicture(const QString& path, const char* format)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(path, format));
}

// A new folder below `root`.
QString MakeFolder(const QTemporaryDir& root, const QString& name)
{
    const QString path = QFileInfo(root.path()).canonicalFilePath() + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return path;
}

// The chooser answers with `folder` opened and OK, or with Cancel when empty.
void AnswerChooser(const QString& folder, QString* topTextMeanwhile = nullptr,
                   const QLabel* topText = nullptr)
{
    Modal::Expect(QStringLiteral("frmPelumo5"), [=](QWidget* w) {
        auto* chooser = static_cast<frmPelumo5*>(w);
        if (topTextMeanwhile) *topTextMeanwhile = topText->text();
        if (folder.isEmpty()) {
            chooser->Command1->click();
            return;
        }
        QVERIFY(chooser->OpenFolder(folder));
        chooser->cmdOk->click();
    });
}

void AnswerListEditor(const std::function<void()>& meanwhile = {})
{
    Modal::Expect(QStringLiteral("frmPelumo4"), [=](QWidget* w) {
        if (meanwhile) meanwhile();
        Modal::Click(w, QStringLiteral("cmdOk"));
    });
}

void AnswerError()
{
    Modal::Expect(QStringLiteral("frmError"),
                  [](QWidget* w) { Modal::Click(w, QStringLiteral("Command1")); });
}

void FillSentinel(Module1& m)
{
    for (int row = 0; row < Module1::kRows; ++row) {
        m.ListTable[row][1] = QStringLiteral("s%1").arg(row);
        m.ListTable[row][2] = QStringLiteral("t%1").arg(row);
    }
}

void CheckSentinel(const Module1& m)
{
    for (int row = 0; row < Module1::kRows; ++row) {
        QCOMPARE(m.ListTable[row][1], QStringLiteral("s%1").arg(row));
        QCOMPARE(m.ListTable[row][2], QStringLiteral("t%1").arg(row));
    }
}

struct Fixture {
    Module1 m;
    FakePlatform p;
    frmPelumo1 w{m, p};
    Fixture()
    {
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) qWarning("top menu not exposed");
    }
    bool listShown() const { return w.cmdlistSakusei->isVisibleTo(&w); }
    bool eventShown() const { return w.cmdSakusei->isVisibleTo(&w); }
};

}  // namespace

class TestFrmPelumo1 : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    int next_ = 0;
    QString NewFolder() { return MakeFolder(tmp_, QStringLiteral("p%1").arg(++next_)); }

    // Loads `folder` through the load command (chooser answered with OK).
    void Load(Fixture& f, const QString& folder)
    {
        AnswerChooser(folder);
        f.w.cmdLoad->click();
    }

private slots:
    void initTestCase() { QVERIFY(tmp_.isValid()); }
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    void startState()
    {
        Fixture f;
        frmPelumo1& w = f.w;
        QCOMPARE(w.windowTitle(), QStringLiteral("ペルモトップメニュー   (Ver1.3)"));
        QCOMPARE(w.size(), QSize(640, 479));
        QCOMPARE(w.Image1->geometry(), QRect(32, 16, 384, 288));
        QCOMPARE(w.Label1->geometry(), QRect(32, 16, 384, 288));
        QCOMPARE(w.cmdSinki->geometry(), QRect(448, 16, 177, 41));
        QCOMPARE(w.cmdLoad->geometry(), QRect(448, 72, 177, 41));
        QCOMPARE(w.cmdlistSakusei->geometry(), QRect(448, 136, 177, 41));
        QCOMPARE(w.cmdSakusei->geometry(), QRect(448, 196, 177, 41));
        QCOMPARE(w.Command1->geometry(), QRect(480, 262, 109, 41));
        QCOMPARE(w.Label2->geometry(), QRect(24, 344, 140, 25));
        QCOMPARE(w.lblPath->geometry(), QRect(168, 342, 433, 25));
        QCOMPARE(w.lblTopText->geometry(), QRect(24, 384, 585, 81));

        const struct {
            QPushButton* button;
            const char* caption;
            const char* tip;
            double points;
        } buttons[] = {
            {w.cmdSinki, "新規作成 （ﾌｫﾙﾀﾞ指定）", "新規データを保存するフォルダを指定", 11.25},
            {w.cmdLoad, "リスト項目ロード", "リストデータのロード", 11.25},
            {w.cmdlistSakusei, "リスト項目作成、編集", "リストに表示される項目名の作成・削除・並び替え", 11.25},
            {w.cmdSakusei, "イベント作成、編集", "イベント項目の詳細設定", 11.25},
            {w.Command1, "終了", "「ペルモ」を終了", 12},
        };
        for (const auto& b : buttons) {
            QCOMPARE(b.button->text(), QString::fromUtf8(b.caption));
            QCOMPARE(b.button->toolTip(), QString::fromUtf8(b.tip));
            QCOMPARE(b.button->font().family(), FormLayout::kGothic);
            QCOMPARE(b.button->font().pointSizeF(), b.points);
            QVERIFY(b.button->font().bold());
        }
        QCOMPARE(QFontInfo(w.cmdSinki->font()).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(w.Label2->text(), QStringLiteral("編集中のフォルダ："));
        QCOMPARE(w.lblTopText->font().pointSizeF(), 14.25);
        QCOMPARE(w.lblPath->font().pointSizeF(), 12.0);
        QVERIFY(w.lblTopText->font().bold());
        QCOMPARE(w.Image1->toolTip(), QStringLiteral("スタートグラフィック"));

        // Tab order over the controls that take focus.
        QList<QWidget*> order;
        QWidget* x = w.cmdSinki;
        do {
            if (x->focusPolicy() & Qt::TabFocus) order.append(x);
            x = x->nextInFocusChain();
        } while (x != w.cmdSinki);
        QCOMPARE(order, (QList<QWidget*>{w.cmdSinki, w.cmdLoad, w.cmdlistSakusei, w.cmdSakusei,
                                         w.Command1}));

        QVERIFY(!f.listShown());
        QVERIFY(!f.eventShown());
        QVERIFY(w.Image1->isVisible());
        QVERIFY(w.Image1->pixmap().isNull());
        QVERIFY(w.Image1->hasScaledContents());
        // The bordered frame lies behind the picture.
        QVERIFY(w.children().indexOf(w.Label1) < w.children().indexOf(w.Image1));
        QCOMPARE(w.lblPath->text(), QString());
        QCOMPARE(w.lblTopText->text(), kIdle);
        QCOMPARE(f.p.beeps, 0);
    }

    // New project, then the event command on the empty list.
    void newProject_onFolderWithoutListData()
    {
        Fixture f;
        const QString folder = NewFolder();
        WritePicture(folder + QStringLiteral("/pic.bmp"), "BMP");
        FillSentinel(f.m);
        f.m.LastEventFileNumber = 9;

        QString prompt, editorTopText;
        bool fileWhileEditing = true;
        Module1 inEditor;
        AnswerChooser(folder, &prompt, f.w.lblTopText);
        AnswerListEditor([&] {
            inEditor.CallerMode = f.m.CallerMode;
            inEditor.ItemIndex = f.m.ItemIndex;
            inEditor.LastEventFileNumber = f.m.LastEventFileNumber;
            editorTopText = f.w.lblTopText->text();
            fileWhileEditing = QDir(folder).entryList(QDir::Files) != QStringList{"pic.bmp"};
            for (int row = 0; row < Module1::kRows; ++row)
                for (int col = 1; col <= 2; ++col) inEditor.ListTable[row][col] = f.m.ListTable[row][col];
        });
        f.w.cmdSinki->click();

        QCOMPARE(Modal::Log(), (QStringList{"frmPelumo5", "frmPelumo4"}));
        QCOMPARE(prompt, QStringLiteral(
                             "使用するデータ（画像ファイルや Wav データ）を集めたフォルダを選択してください。\r\n"
                             "（ファイルを選ぶ必要はありません。）"));
        // What the list editor was opened on.
        QCOMPARE(inEditor.CallerMode, Module1::kModeListEditor);
        QCOMPARE(inEditor.ItemIndex, qint16(1));
        QCOMPARE(inEditor.LastEventFileNumber, qint16(0));
        QCOMPARE(editorTopText, QStringLiteral("リストデータ編集"));
        QVERIFY(!fileWhileEditing);
        for (int row = 0; row < Module1::kFileRows; ++row) {
            const QString expected = row == 0      ? Module1::kDashLine
                                     : row == 1003 ? QStringLiteral("項目を選んでください。")
                                                   : QString();
            QCOMPARE(inEditor.ListTable[row][1], expected);
            QCOMPARE(inEditor.ListTable[row][2], QString());
        }

        QCOMPARE(f.m.ProjectFolder, folder);
        QCOMPARE(f.w.lblPath->text(), folder);
        QCOMPARE(f.w.lblTopText->text(), QStringLiteral("リストデータ編集"));
        QVERIFY(f.listShown());
        QVERIFY(f.eventShown());
        QCOMPARE(f.p.beeps, 0);

        // No item was made: the event command refuses.
        f.w.cmdSakusei->click();
        QCOMPARE(f.p.beeps, 1);
        QCOMPARE(f.w.lblTopText->text(), QStringLiteral("リスト項目がありません。\r\n"
                                                        "まず、１つ以上リスト項目を作成して下さい。"));
        QCOMPARE(Modal::Log().size(), 2);
    }

    void newProject_onFolderWithListData_anyCase_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("mixed") << QStringLiteral("listdata.PLD");
        QTest::newRow("upper") << QStringLiteral("LISTDATA.PLD");
        QTest::newRow("lower") << QStringLiteral("listdata.pld");
    }
    void newProject_onFolderWithListData_anyCase()
    {
        QFETCH(QString, fileName);
        Fixture f;
        const QString folder = NewFolder();
        WriteFile(folder + QLatin1Char('/') + fileName, ListFileBytes({}));
        FillSentinel(f.m);
        f.m.ItemIndex = 5;

        AnswerChooser(folder);
        f.w.cmdSinki->click();

        QCOMPARE(Modal::Log(), QStringList{"frmPelumo5"});
        QCOMPARE(f.p.beeps, 1);
        QCOMPARE(f.w.lblTopText->text(), QStringLiteral(
                                             "指定されたフォルダには、すでにデータ(listdata.pld)が存在します。\r\n"
                                             "これをロードするか、別のフォルダを選択してください。"));
        QCOMPARE(f.m.ProjectFolder, QString());
        QCOMPARE(f.w.lblPath->text(), QString());
        CheckSentinel(f.m);
        QCOMPARE(f.m.ItemIndex, qint16(5));
        QVERIFY(!f.listShown());
        QVERIFY(!f.eventShown());
        QVERIFY(f.w.Image1->isVisible());
    }

    void load_folderWithoutListData()
    {
        Fixture f;
        const QString folder = NewFolder();
        WriteFile(folder + QStringLiteral("/listdata.pld.bak"), ListFileBytes({}));
        QDir(folder).mkdir(QStringLiteral("listdata.pld"));  // a folder does not count
        FillSentinel(f.m);

        QString prompt;
        AnswerChooser(folder, &prompt, f.w.lblTopText);
        f.w.cmdLoad->click();

        QCOMPARE(prompt, QStringLiteral("リストデータ(listdata.pld)のあるフォルダを選択してください。"));
        QCOMPARE(Modal::Log(), QStringList{"frmPelumo5"});
        QCOMPARE(f.p.beeps, 1);
        QCOMPARE(f.w.lblTopText->text(), QStringLiteral(
                                             "選択したフォルダには、リストデータ(listdata.pld)が存在しません。\r\n"
                                             "このフォルダに新規に作成するか、別のフォルダを選択してください。"));
        QCOMPARE(f.m.ProjectFolder, QString());
        QCOMPARE(f.w.lblPath->text(), QString());
        QCOMPARE(f.m.CallerMode, Module1::kModeLoad);
        CheckSentinel(f.m);
        QVERIFY(!f.listShown());
        QVERIFY(!f.eventShown());
    }

    void load_projectWithItemsAndStartGraphic()
    {
        Fixture f;
        const QString folder = NewFolder();
        WritePicture(folder + QStringLiteral("/Start.bmp"), "BMP");
        ListFixture list;
        list.items = {kDogBytes, kCatTamaBytes, "3"};
        list.counter = "2";  // lower than the highest file name in use
        list.startGraphic = "START.BMP";
        WriteFile(folder + QStringLiteral("/ListData.Pld"), ListFileBytes(list));
        f.m.ListTable[7][1] = QStringLiteral("stale");
        f.m.ListTable[1005][1] = QStringLiteral("stale");

        Load(f, folder);

        QCOMPARE(Modal::Log(), QStringList{"frmPelumo5"});
        QCOMPARE(f.p.beeps, 0);
        QCOMPARE(f.m.ProjectFolder, folder);
        QCOMPARE(f.w.lblPath->text(), folder);
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        QCOMPARE(f.m.ListTable[0][1], Module1::kDashLine);
        QCOMPARE(f.m.ListTable[1][1], QStringLiteral("犬"));
        QCOMPARE(f.m.ListTable[2][1], QStringLiteral("猫,たま"));
        QCOMPARE(f.m.ListTable[2][2], QStringLiteral("2.pev"));
        QCOMPARE(f.m.ListTable[3][2], QStringLiteral("3.pev"));
        QCOMPARE(f.m.ListTable[7][1], QString());
        QCOMPARE(f.m.ListTable[1005][1], QString());
        QCOMPARE(f.m.ListTable[1003][1], QStringLiteral("項目を選んでください。"));
        QCOMPARE(f.m.LastEventFileNumber, qint16(3));
        QVERIFY(f.w.Image1->isVisible());
        QCOMPARE(f.w.Image1->pixmap().size(), QSize(64, 48));
        QVERIFY(f.listShown());
        QVERIFY(f.eventShown());

        // With a folder and items the event command passes its checks.
        f.w.cmdSakusei->click();
        QCOMPARE(f.p.beeps, 0);
        QCOMPARE(f.m.CallerMode, Module1::kModeEventEditor);
        QCOMPARE(f.w.lblTopText->text(), kIdle);

        // A project without a start graphic hides the picture area.
        const QString plain = NewFolder();
        WriteFile(plain + QStringLiteral("/LISTDATA.PLD"), ListFileBytes({}));
        Load(f, plain);
        QVERIFY(!f.w.Image1->isVisible());
        QCOMPARE(f.p.beeps, 0);
    }

    void load_startGraphicMissing_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("not there") << QByteArray("gone.gif");
        QTest::newRow("outside the folder") << QByteArray("../outside.bmp");
        QTest::newRow("in a subfolder") << QByteArray("sub/inner.bmp");
    }
    void load_startGraphicMissing()
    {
        QFETCH(QByteArray, name);
        Fixture f;
        const QString folder = NewFolder();
        WritePicture(folder + QStringLiteral("/../outside.bmp"), "BMP");
        QDir(folder).mkdir(QStringLiteral("sub"));
        WritePicture(folder + QStringLiteral("/sub/inner.bmp"), "BMP");
        ListFixture list;
        list.items = {"one"};
        list.counter = "1";
        list.startGraphic = name;
        WriteFile(folder + QStringLiteral("/listdata.pld"), ListFileBytes(list));
        QPixmap before(10, 10);
        before.fill(Qt::red);
        f.w.Image1->setPixmap(before);

        AnswerChooser(folder);
        AnswerError();
        f.w.cmdLoad->click();

        QCOMPARE(Modal::Log(), (QStringList{"frmPelumo5", "frmError"}));
        QCOMPARE(Modal::Texts()[1], kMissingGraphic);
        QCOMPARE(f.p.beeps, 1);  // the message box's own
        QCOMPARE(f.w.Image1->pixmap().cacheKey(), before.cacheKey());
        QVERIFY(f.w.Image1->isVisible());
        QVERIFY(f.listShown());
        QVERIFY(f.eventShown());
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        QCOMPARE(f.m.LastEventFileNumber, qint16(1));
        QCOMPARE(f.m.ListTable[1002][1], QString::fromLatin1(name));
    }

    void load_startGraphicUnreadable()
    {
        Fixture f;
        const QString folder = NewFolder();
        WriteFile(folder + QStringLiteral("/broken.jpg"), QByteArray("not a picture at all"));
        ListFixture list;
        list.startGraphic = "broken.jpg";
        WriteFile(folder + QStringLiteral("/LISTDATA.PLD"), ListFileBytes(list));
        QPixmap before(10, 10);
        before.fill(Qt::red);
        f.w.Image1->setPixmap(before);

        AnswerChooser(folder);
        AnswerError();
        f.w.cmdLoad->click();

        QCOMPARE(Modal::Log(), (QStringList{"frmPelumo5", "frmError"}));
        QCOMPARE(Modal::Texts()[1], StartGraphic::UnreadableMessage());
        QVERIFY(f.w.Image1->pixmap().isNull());
        QVERIFY(f.listShown());
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        QCOMPARE(f.m.ProjectFolder, folder);
    }

    void load_rowOneEmpty_keepsEventButton()
    {
        Fixture f;
        const QString empty = NewFolder();
        WriteFile(empty + QStringLiteral("/listdata.pld"), ListFileBytes({}));
        const QString withItems = NewFolder();
        ListFixture list;
        list.items = {"one"};
        WriteFile(withItems + QStringLiteral("/listdata.pld"), ListFileBytes(list));

        Load(f, empty);
        QVERIFY(f.listShown());
        QVERIFY(!f.eventShown());
        Load(f, withItems);
        QVERIFY(f.eventShown());
        Load(f, empty);
        QVERIFY(f.listShown());
        QVERIFY(f.eventShown());
        QCOMPARE(f.m.ListTable[1][1], QString());
        QCOMPARE(f.p.beeps, 0);
    }

    void load_cancel_rereadsPreviousFolder()
    {
        Fixture f;
        // Before any load: nothing is read, no folder.
        FillSentinel(f.m);
        AnswerChooser(QString());
        f.w.cmdLoad->click();
        QCOMPARE(f.m.PreviousFolder, QString());
        QCOMPARE(f.m.ProjectFolder, QString());
        QCOMPARE(f.w.lblPath->text(), QString());
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        CheckSentinel(f.m);
        QVERIFY(!f.listShown());
        QCOMPARE(f.p.beeps, 0);

        const QString folder = NewFolder();
        ListFixture list;
        list.items = {"one", "two"};
        list.counter = "2";
        WriteFile(folder + QStringLiteral("/listdata.pld"), ListFileBytes(list));
        Load(f, folder);
        f.m.ListTable[1][1] = QStringLiteral("changed in memory");
        f.m.LastEventFileNumber = 30;

        AnswerChooser(QString());
        f.w.cmdLoad->click();
        QCOMPARE(f.m.PreviousFolder, folder);
        QCOMPARE(f.m.ProjectFolder, folder);
        QCOMPARE(f.w.lblPath->text(), folder);
        QCOMPARE(f.m.ListTable[1][1], QStringLiteral("one"));
        QCOMPARE(f.m.LastEventFileNumber, qint16(2));
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        QCOMPARE(Modal::Log(), QStringList(3, QStringLiteral("frmPelumo5")));
    }

    // A list data file that cannot be read is reported and nothing of it is
    // taken: the folder is let go, the tables stay.
    void load_unreadableListData()
    {
        Fixture f;
        const QString folder = NewFolder();
        // Opens, but every read fails with an I/O error, as on damaged media.
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), folder + QStringLiteral("/listdata.pld")));
        FillSentinel(f.m);

        AnswerChooser(folder);
        AnswerError();
        f.w.cmdLoad->click();

        QCOMPARE(Modal::Log(), (QStringList{"frmPelumo5", "frmError"}));
        QVERIFY2(Modal::Texts()[1].startsWith(QStringLiteral("「listdata.pld」を読み込めませんでした。")),
                 qPrintable(Modal::Texts()[1]));
        QCOMPARE(f.m.ProjectFolder, QString());
        QCOMPARE(f.w.lblPath->text(), QString());
        QCOMPARE(f.w.lblTopText->text(), kIdle);
        CheckSentinel(f.m);
        QVERIFY(!f.listShown());
        QVERIFY(!f.eventShown());
    }

    void listAndEventCommands_needFolderAndItems()
    {
        Fixture f;
        const QString folder = NewFolder();
        WriteFile(folder + QStringLiteral("/listdata.pld"), ListFileBytes({}));
        Load(f, folder);
        QVERIFY(f.listShown());
        QVERIFY(!f.eventShown());

        // The list editor makes the first item: the event button appears.
        AnswerListEditor([&] {
            QCOMPARE(f.m.CallerMode, Module1::kModeListEditor);
            f.m.ListTable[1][1] = QStringLiteral("first");
            f.m.ListTable[1][2] = QStringLiteral("1.pev");
        });
        f.w.cmdlistSakusei->click();
        QVERIFY(f.eventShown());
        QCOMPARE(f.p.beeps, 0);

        // A refused new project lets the folder go; both commands then refuse.
        AnswerChooser(folder);
        f.w.cmdSinki->click();
        QCOMPARE(f.w.lblPath->text(), QString());
        QCOMPARE(f.p.beeps, 1);
        const int dialogs = Modal::Log().size();

        f.w.cmdlistSakusei->click();
        QCOMPARE(f.p.beeps, 2);
        QCOMPARE(f.w.lblTopText->text(), kNoFolder);
        QCOMPARE(f.m.CallerMode, Module1::kModeListEditor);

        f.w.lblTopText->clear();
        f.w.cmdSakusei->click();
        QCOMPARE(f.p.beeps, 3);
        QCOMPARE(f.w.lblTopText->text(), kNoFolder);
        QCOMPARE(Modal::Log().size(), dialogs);
        QVERIFY(f.listShown());
        QVERIFY(f.eventShown());
    }

    void quit_askedByButtonAndFrame()
    {
        Fixture f;
        const QString question = QStringLiteral("「ペルモ」を終了します。いいですか？");
        auto answer = [](const char* button) {
            Modal::Expect(QStringLiteral("frmYesNo"),
                          [button](QWidget* w) { Modal::Click(w, QLatin1String(button)); });
        };

        answer("Command2");
        f.w.Command1->click();
        QCOMPARE(f.p.beeps, 2);  // the top menu's and the question box's
        QCOMPARE(f.p.endRequests, 0);
        QCOMPARE(f.m.QuestionText, question);
        QCOMPARE(f.m.DialogResult, qint16(0));
        QVERIFY(f.w.isVisible());
        QCOMPARE(f.w.lblTopText->text(), kIdle);

        answer("Command2");
        QVERIFY(!f.w.close());
        QVERIFY(f.w.isVisible());
        QCOMPARE(f.p.beeps, 4);
        QCOMPARE(f.p.endRequests, 0);

        answer("Command1");
        f.w.Command1->click();
        QCOMPARE(f.p.beeps, 6);
        QCOMPARE(f.p.endRequests, 1);

        answer("Command1");
        QVERIFY(f.w.close());
        QCOMPARE(f.p.endRequests, 2);
        QCOMPARE(Modal::Texts(), QStringList(4, question));
        QCOMPARE(Modal::Log(), QStringList(4, QStringLiteral("frmYesNo")));
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo1)
#include "tst_frmPelumo1.moc"
