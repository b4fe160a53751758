// The list editor driven through its buttons, with the real dialogs answered
// and the event files checked on disk.

#include "app/Module1.h"
#include "data/EventFile.h"
#include "listedit/ClickLabel.h"
#include "listedit/frmPelumo4.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <memory>

namespace {

const QString kDash = QStringLiteral("－－－－－－－－－－");

Modal::Handler Press(const QString& button)
{
    return [button](QWidget* w) { Modal::Click(w, button); };
}

Modal::Handler FrameClose()
{
    return [](QWidget* w) { w->close(); };
}

using Snapshot = QList<QString>;

Snapshot Table(const Module1& m)
{
    Snapshot s;
    for (int row = 0; row < Module1::kRows; ++row) s << m.ListTable[row][1] << m.ListTable[row][2];
    return s;
}

}  // namespace

class TestFrmPelumo4 : public QObject {
    Q_OBJECT

    std::unique_ptr<Module1> m_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QLabel> image1_;
    std::unique_ptr<frmPelumo4> w_;

    QString Path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    qint64 Size(const QString& name) const
    {
        const QFileInfo fi(Path(name));
        return fi.isFile() ? fi.size() : -1;
    }

    void Open()
    {
        w_ = std::make_unique<frmPelumo4>(*m_, *platform_, image1_.get());
        // Shown without its modality, so that only the dialogs it opens count
        // as modal windows for the answers.
        w_->setWindowModality(Qt::NonModal);
        w_->show();
    }

    // Rows 1..n named "A", "B", ... with event files 1.pev..n.pev on disk.
    void Items(int n)
    {
        for (int row = 1; row <= n; ++row) {
            m_->ListTable[row][1] = QString(QChar(u'A' + row - 1));
            m_->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
            QVERIFY(EventFile::Create(dir_->path(), m_->ListTable[row][2]).ok);
        }
        m_->LastEventFileNumber = qint16(n);
    }

    void GoTo(int row)
    {
        while (m_->ItemIndex + 10 <= row && m_->ItemIndex < 990) w_->cmd10Next->click();
        while (m_->ItemIndex < row) w_->cmdNext->click();
        QCOMPARE(m_->ItemIndex, qint16(row));
    }

    // Upper number and name, current number and name, lower number and name.
    QStringList View() const
    {
        return {w_->lblYousoUe->text(), w_->lblListUe->text(), w_->cmdYouso->text(),
                w_->lblList->text(),    w_->lblYousoSita->text(), w_->lblListSita->text()};
    }

    QStringList Rows(int n) const
    {
        QStringList out;
        for (int row = 1; row <= n; ++row)
            out << m_->ListTable[row][1] + QLatin1Char(':') + m_->ListTable[row][2];
        return out;
    }

    // Clicks and checks that no modal window opened.
    void ClickExpectingNoWindow(QPushButton* b)
    {
        Modal::Answer([](QWidget*) {}, 300);
        b->click();
        QTRY_COMPARE(Modal::Pending(), 0);
        QCOMPARE(Modal::Log(), QStringList{QStringLiteral("(no modal window appeared)")});
        Modal::Reset();
    }

private slots:
    void init()
    {
        Modal::Reset();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        m_ = std::make_unique<Module1>();
        platform_ = std::make_unique<FakePlatform>();
        image1_ = std::make_unique<QLabel>();
        m_->PrepareNewList();
        m_->ProjectFolder = dir_->path();
        m_->CallerMode = Module1::kModeListEditor;
        m_->ItemIndex = 1;
    }

    void cleanup()
    {
        QCOMPARE(Modal::Pending(), 0);
        w_.reset();
    }

    void newProjectOpensOnItemOneAndCannotMove()
    {
        m_->ItemIndex = 37;  // whatever the top menu left
        Open();
        QCOMPARE(m_->ItemIndex, qint16(1));
        QCOMPARE(View(), (QStringList{"0", kDash, "1", "", "2", ""}));
        for (QPushButton* b : {w_->cmdNext, w_->cmd10Next, w_->cmdBefor, w_->cmd10Before}) b->click();
        QCOMPARE(m_->ItemIndex, qint16(1));
        QCOMPARE(platform_->beeps, 0);
    }

    void namingThreeItemsCreatesTheirEventFiles()
    {
        Open();
        for (const QString name : {QStringLiteral("Ａ"), QStringLiteral("Ｂ"), QStringLiteral("Ｃ")}) {
            Modal::Expect(QStringLiteral("frmText1"), Modal::TypeText(name));
            w_->cmdHenshu->click();
            w_->cmdNext->click();
        }
        QCOMPARE(Modal::Log(), QStringList(3, QStringLiteral("frmText1")));
        QCOMPARE(Rows(4), (QStringList{"Ａ:1.pev", "Ｂ:2.pev", "Ｃ:3.pev", ":"}));
        QCOMPARE(m_->LastEventFileNumber, qint16(3));
        for (const char* f : {"1.pev", "2.pev", "3.pev"}) QCOMPARE(Size(QLatin1String(f)), qint64(7035));
        QCOMPARE(View(), (QStringList{"3", "Ｃ", "4", "", "5", ""}));
        w_->cmdNext->click();  // row 4 is unnamed: ▼ stops on it
        QCOMPARE(m_->ItemIndex, qint16(4));

        // Renaming makes no file and keeps the counter.
        w_->cmdBefor->click();
        Modal::Expect(QStringLiteral("frmText1"), [](QWidget* w) {
            QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("txtText"))->text(), QStringLiteral("Ｃ"));
            Modal::TypeText(QStringLiteral("Ｃ２"))(w);
        });
        w_->cmdHenshu->click();
        QCOMPARE(Rows(3).last(), QStringLiteral("Ｃ２:3.pev"));
        QCOMPARE(w_->lblList->text(), QStringLiteral("Ｃ２"));
        QCOMPARE(m_->LastEventFileNumber, qint16(3));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 3);
    }

    void insertOnB_data()
    {
        QTest::addColumn<bool>("below");
        QTest::addColumn<QStringList>("viewWhileNaming");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("above") << false << QStringList{"1", "A", "2", "", "3", "B"}
                               << QStringList{"A:1.pev", "N:4.pev", "B:2.pev", "C:3.pev", ":"};
        QTest::newRow("below") << true << QStringList{"2", "B", "3", "", "4", "C"}
                               << QStringList{"A:1.pev", "B:2.pev", "N:4.pev", "C:3.pev", ":"};
    }

    void insertOnB()
    {
        QFETCH(bool, below);
        QFETCH(QStringList, viewWhileNaming);
        QFETCH(QStringList, rows);
        Items(3);
        Open();
        GoTo(2);
        Modal::Expect(QStringLiteral("frmText1"), [&](QWidget* w) {
            // While the name is asked, the new empty row is current and its file exists.
            QCOMPARE(View(), viewWhileNaming);
            QCOMPARE(Size(QStringLiteral("4.pev")), qint64(7035));
            Modal::TypeText(QStringLiteral("N"))(w);
        });
        (below ? w_->cmdSounyu2 : w_->cmdSounyu1)->click();
        QCOMPARE(Rows(5), rows);
        QCOMPARE(m_->ItemIndex, qint16(below ? 3 : 2));
        QCOMPARE(w_->lblList->text(), QStringLiteral("N"));
        QCOMPARE(m_->LastEventFileNumber, qint16(4));
    }

    void insertsOnTheFirstUnnamedRow()
    {
        Items(2);
        Open();
        GoTo(3);
        Modal::Expect(QStringLiteral("frmText1"), Modal::TypeText(QStringLiteral("C")));
        w_->cmdSounyu1->click();  // the same as naming row 3
        QCOMPARE(Rows(4), (QStringList{"A:1.pev", "B:2.pev", "C:3.pev", ":"}));

        w_->cmdNext->click();
        QCOMPARE(m_->ItemIndex, qint16(4));
        Modal::Expect(QStringLiteral("frmText1"), Modal::TypeText(QStringLiteral("E")));
        w_->cmdSounyu2->click();  // leaves row 4 unnamed, the item goes to row 5
        QCOMPARE(Rows(5), (QStringList{"A:1.pev", "B:2.pev", "C:3.pev", ":", "E:4.pev"}));
        QCOMPARE(m_->ItemIndex, qint16(5));
        w_->cmdBefor->click();
        w_->cmdNext->click();
        QCOMPARE(m_->ItemIndex, qint16(4));  // ▼ does not pass the unnamed row
    }

    void deleteAboveOnC()
    {
        Items(3);
        Open();
        GoTo(3);
        const Snapshot before = Table(*m_);
        Modal::Expect(QStringLiteral("frmYesNo"), Press(QStringLiteral("Command2")));
        w_->cmdSakujo1->click();
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral("2番の項目を、その中のイベントごと削除します。いいですか？")});
        QCOMPARE(Table(*m_), before);
        QCOMPARE(Size(QStringLiteral("2.pev")), qint64(7035));

        Modal::Expect(QStringLiteral("frmYesNo"), Press(QStringLiteral("Command1")));
        w_->cmdSakujo1->click();
        QCOMPARE(Rows(3), (QStringList{"A:1.pev", "C:3.pev", ":"}));
        QCOMPARE(m_->ItemIndex, qint16(2));
        QCOMPARE(View(), (QStringList{"1", "A", "2", "C", "3", ""}));
        QVERIFY(!QFile::exists(Path(QStringLiteral("2.pev"))));
        QCOMPARE(Size(QStringLiteral("1.pev")), qint64(7035));
        QCOMPARE(Size(QStringLiteral("3.pev")), qint64(7035));
        QCOMPARE(m_->LastEventFileNumber, qint16(3));
    }

    void deleteBelowOnA()
    {
        Items(3);
        Open();
        Modal::Expect(QStringLiteral("frmYesNo"), Press(QStringLiteral("Command1")));
        w_->cmdSakujo2->click();
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral("2番の項目を、その中のイベントごと削除します。いいですか？")});
        QCOMPARE(Rows(3), (QStringList{"A:1.pev", "C:3.pev", ":"}));
        QCOMPARE(m_->ItemIndex, qint16(1));
        QCOMPARE(View(), (QStringList{"0", kDash, "1", "A", "2", "C"}));
        QVERIFY(!QFile::exists(Path(QStringLiteral("2.pev"))));
    }

    void deleteWithNoItemThereAsksNothing()
    {
        Items(3);
        Open();
        ClickExpectingNoWindow(w_->cmdSakujo1);  // row 0 is never an item
        GoTo(3);
        ClickExpectingNoWindow(w_->cmdSakujo2);
        QCOMPARE(Rows(3), (QStringList{"A:1.pev", "B:2.pev", "C:3.pev"}));
    }

    void deleteOfMissingOrForeignEventFileRemovesOnlyTheRow()
    {
        Items(3);
        QVERIFY(QFile::remove(Path(QStringLiteral("2.pev"))));
        // An event file name pointing out of the folder, at a file that exists.
        QDir outer(dir_->path());
        QVERIFY(outer.mkdir(QStringLiteral("project")));
        QVERIFY(QFile::rename(Path(QStringLiteral("3.pev")), Path(QStringLiteral("project/3.pev"))));
        QVERIFY(QFile::rename(Path(QStringLiteral("1.pev")), Path(QStringLiteral("project/1.pev"))));
        m_->ProjectFolder = Path(QStringLiteral("project"));
        m_->ListTable[3][2] = QStringLiteral("../3.pev");
        QVERIFY(QFile::copy(Path(QStringLiteral("project/3.pev")), Path(QStringLiteral("3.pev"))));
        Open();

        Modal::Expect(QStringLiteral("frmYesNo"), Press(QStringLiteral("Command1")));
        w_->cmdSakujo2->click();  // B, whose file is already gone
        QCOMPARE(Modal::Log(), QStringList{QStringLiteral("frmYesNo")});
        QCOMPARE(Rows(3), (QStringList{"A:1.pev", "C:../3.pev", ":"}));

        Modal::Expect(QStringLiteral("frmYesNo"), Press(QStringLiteral("Command1")));
        w_->cmdSakujo2->click();  // C, named outside the folder
        QCOMPARE(Rows(2), (QStringList{"A:1.pev", ":"}));
        QCOMPARE(Size(QStringLiteral("3.pev")), qint64(7035));
        QCOMPARE(Size(QStringLiteral("project/3.pev")), qint64(7035));
        QCOMPARE(Modal::Log(), (QStringList{"frmYesNo", "frmYesNo"}));
    }

    void repeatedEditOnAnUnnamedRow()
    {
        Open();
        // Left without a name: OK on the empty box keeps the dialog, the frame closes it.
        Modal::Expect(QStringLiteral("frmText1"), [](QWidget* w) {
            Modal::Click(w, QStringLiteral("cmdOk"));
            QVERIFY(w->isVisible());
            w->close();
        });
        w_->cmdHenshu->click();
        QCOMPARE(m_->ListTable[1][2], QStringLiteral("1.pev"));
        QCOMPARE(m_->ListTable[1][1], QString());
        QCOMPARE(Size(QStringLiteral("1.pev")), qint64(7035));

        // Clicking the centre name is the same as "← 編集".
        Modal::Expect(QStringLiteral("frmText1"), FrameClose());
        QTest::mouseClick(w_->lblList, Qt::LeftButton);
        QCOMPARE(Modal::Log(), (QStringList{"frmText1", "frmText1"}));
        QCOMPARE(m_->ListTable[1][2], QStringLiteral("2.pev"));
        QCOMPARE(m_->LastEventFileNumber, qint16(2));
        QCOMPARE(Size(QStringLiteral("1.pev")), qint64(7035));
        QCOMPARE(Size(QStringLiteral("2.pev")), qint64(7035));
        w_->cmdNext->click();
        QCOMPARE(m_->ItemIndex, qint16(1));
    }

    void fullListRefusesBothInserts()
    {
        for (int row = 1; row <= 999; ++row) {
            m_->ListTable[row][1] = QStringLiteral("項目%1").arg(row);
            m_->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
        }
        m_->LastEventFileNumber = 999;
        Open();
        GoTo(500);
        const Snapshot before = Table(*m_);
        const QString full = QStringLiteral("すでに999項目作成され、これ以上は作れません。");
        for (QPushButton* b : {w_->cmdSounyu1, w_->cmdSounyu2}) {
            Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
            b->click();
        }
        QCOMPARE(Modal::Texts(), (QStringList{full, full}));
        QCOMPARE(Table(*m_), before);
        QCOMPARE(m_->ItemIndex, qint16(500));

        // Row 999 named but without an event file: the list is not full, yet
        // nothing can go below row 999.
        m_->ListTable[999][2].clear();
        GoTo(999);
        QCOMPARE(View(), (QStringList{"998", "項目998", "999", "項目999", "1000", ""}));
        Modal::Reset();
        Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
        w_->cmdSounyu2->click();
        QCOMPARE(Modal::Texts(), QStringList{full});
        QCOMPARE(m_->ItemIndex, qint16(999));
        QVERIFY(m_->ListTable[1000][1].isEmpty() && m_->ListTable[1000][2].isEmpty());
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 0);
    }

    void tenRowSteps()
    {
        for (int row = 1; row <= 15; ++row) m_->ListTable[row][1] = QStringLiteral("x%1").arg(row);
        Open();
        GoTo(6);
        w_->cmd10Next->click();
        QCOMPARE(View(), (QStringList{"15", "x15", "16", "", "17", ""}));
        w_->cmd10Before->click();
        QCOMPARE(m_->ItemIndex, qint16(6));
        w_->cmd10Before->click();  // never part of the way
        QCOMPARE(m_->ItemIndex, qint16(6));
    }

    void startMessageBringsTheViewBackToItemOne()
    {
        for (int row = 1; row <= 40; ++row) m_->ListTable[row][1] = QStringLiteral("x%1").arg(row);
        Open();
        GoTo(37);
        const Snapshot before = Table(*m_);
        Modal::Expect(QStringLiteral("frmText1"), [](QWidget* w) {
            QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("txtText"))->text(),
                     QStringLiteral("項目を選んでください。"));
            Modal::TypeText(QStringLiteral("ようこそ、選んでね"))(w);
        });
        w_->Command1->click();
        QCOMPARE(m_->ListTable[1003][1], QStringLiteral("ようこそ、選んでね"));
        QCOMPARE(m_->ItemIndex, qint16(1));
        QCOMPARE(View(), (QStringList{"0", kDash, "1", "x1", "2", "x2"}));
        Snapshot after = Table(*m_);
        after[1003 * 2] = before[1003 * 2];
        QCOMPARE(after, before);
    }

    void startGraphicInAFolderWithOnlyWavFiles()
    {
        for (const char* name : {"a.wav", "B.WAV"}) {
            QFile f(Path(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("pictures.jpg")));  // a folder does not count
        m_->ListTable[1002][1] = QStringLiteral("gone.bmp");
        m_->ListTable[1002][2] = QStringLiteral("x");
        QPixmap shown(4, 4);
        shown.fill(Qt::red);
        image1_->setPixmap(shown);
        Open();
        GoTo(1);
        Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
        w_->Command2->click();
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral(
                                     "このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。")});
        QVERIFY(m_->ListTable[1002][1].isEmpty());
        QVERIFY(m_->ListTable[1002][2].isEmpty());
        QVERIFY(!image1_->pixmap().isNull());  // the top menu's picture is left alone
    }

    void startGraphicFromAFolderWithOneBmp()
    {
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(Path(QStringLiteral("title.bmp")), "BMP"));
        image1_->hide();
        Open();

        Modal::Expect(QStringLiteral("frmFilesentaku"), [](QWidget* w) {
            auto* list = w->findChild<QListWidget*>(QStringLiteral("File1"));
            QCOMPARE(list->count(), 1);
            QCOMPARE(list->item(0)->text(), QStringLiteral("title.bmp"));
            list->setCurrentRow(0);
            Modal::Click(w, QStringLiteral("Command1"));
        });
        w_->Command2->click();
        QCOMPARE(m_->ListTable[1002][1], QStringLiteral("title.bmp"));
        QVERIFY(!image1_->isHidden());
        QCOMPARE(image1_->pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));

        // Closed through the frame: nothing stored, the current picture shown again.
        ClearTopMenuPicture();
        Modal::Expect(QStringLiteral("frmFilesentaku"), FrameClose());
        w_->Command2->click();
        QCOMPARE(m_->DialogResult, qint16(0));
        QCOMPARE(m_->ListTable[1002][1], QStringLiteral("title.bmp"));
        QVERIFY(!image1_->pixmap().isNull());

        // No start graphic set: the picture area is emptied.
        m_->ListTable[1002][1].clear();
        Modal::Expect(QStringLiteral("frmFilesentaku"), FrameClose());
        w_->Command2->click();
        QVERIFY(image1_->pixmap().isNull());
    }

    void okWritesTheListAndCloses()
    {
        Items(1);
        Open();
        w_->cmdOk->click();
        QVERIFY(!w_->isVisible());
        QCOMPARE(w_->result(), int(QDialog::Accepted));
        QFile f(Path(QStringLiteral("LISTDATA.PLD")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\"\x81\x7c"));
        QVERIFY(bytes.contains("\r\n\"A\",\"1.pev\"\r\n\"\",\"\"\r\n"));
        QCOMPARE(m_->ListTable[1001][1], QStringLiteral("1"));
    }

    void okThatCannotWriteKeepsTheWindowAndTheOldFile()
    {
        Items(2);
        Open();
        w_->cmdOk->click();  // a first save
        QByteArray saved;
        {
            QFile f(Path(QStringLiteral("LISTDATA.PLD")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            saved = f.readAll();
        }
        w_->show();
        m_->ListTable[2][1] = QStringLiteral("B2");
        m_->LastEventFileNumber = 7;

        // A file-size limit below the list's size makes the write fail half way.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 1000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
        w_->cmdOk->click();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral(
                                     "「LISTDATA.PLD」を保存できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。")});
        QVERIFY(w_->isVisible());
        QFile f(Path(QStringLiteral("LISTDATA.PLD")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), saved);
        QCOMPARE(m_->ListTable[2][1], QStringLiteral("B2"));
        QCOMPARE(m_->ListTable[1001][1], QStringLiteral("2"));

        w_->cmdOk->click();  // works again once the disk lets it
        QVERIFY(!w_->isVisible());
    }

    void eventFileThatCannotBeCreated()
    {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("1.pev")));  // in the way of the file
        Open();
        Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
        w_->cmdHenshu->click();
        QCOMPARE(Modal::Log(), QStringList{QStringLiteral("frmError")});  // no name dialog
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral(
                                     "「1.pev」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。")});
        QVERIFY(m_->ListTable[1][2].isEmpty());
        QCOMPARE(m_->LastEventFileNumber, qint16(0));
    }

    void insertWhoseEventFileCannotBeCreatedIsTakenBack()
    {
        Items(3);
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("4.pev")));
        Open();
        GoTo(2);
        const Snapshot before = Table(*m_);
        for (QPushButton* b : {w_->cmdSounyu1, w_->cmdSounyu2}) {
            Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
            b->click();
            QCOMPARE(Table(*m_), before);
            QCOMPARE(m_->ItemIndex, qint16(2));
            QCOMPARE(View(), (QStringList{"1", "A", "2", "B", "3", "C"}));
            QCOMPARE(m_->LastEventFileNumber, qint16(3));
        }
        QCOMPARE(Modal::Log(), (QStringList{"frmError", "frmError"}));
    }

    void counterAtItsLimit()
    {
        Items(2);
        m_->LastEventFileNumber = 32767;
        Open();
        const Snapshot before = Table(*m_);
        const QString limit =
            QStringLiteral("イベントファイルの番号が上限（32767）に達しました。これ以上項目を作れません。");
        GoTo(3);
        Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
        w_->cmdHenshu->click();
        w_->cmdBefor->click();
        Modal::Expect(QStringLiteral("frmError"), Press(QStringLiteral("Command1")));
        w_->cmdSounyu1->click();
        QCOMPARE(Modal::Texts(), (QStringList{limit, limit}));
        QCOMPARE(Table(*m_), before);
        QCOMPARE(m_->LastEventFileNumber, qint16(32767));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 2);
    }

    void namingNeverReplacesAnotherItemsEventFile()
    {
        Items(2);
        {
            QFile f(Path(QStringLiteral("1.pev")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\"\",\"\"\r\n\"ウエイト\",\"1500\"\r\n");
        }
        m_->LastEventFileNumber = 0;  // lagging, as after a damaged file
        Open();
        GoTo(3);
        Modal::Expect(QStringLiteral("frmText1"), Modal::TypeText(QStringLiteral("C")));
        w_->cmdHenshu->click();
        QCOMPARE(m_->ListTable[3][2], QStringLiteral("3.pev"));
        QCOMPARE(m_->LastEventFileNumber, qint16(3));
        QCOMPARE(Size(QStringLiteral("1.pev")), qint64(QByteArray("\"\",\"\"\r\n\"ウエイト\",\"1500\"\r\n").size()));
    }

    void frameCloseIsRefused()
    {
        Open();
        w_->close();
        QVERIFY(w_->isVisible());
        QTest::keyClick(w_.get(), Qt::Key_Escape);
        QVERIFY(w_->isVisible());
        QVERIFY(!(w_->windowFlags() & Qt::WindowCloseButtonHint));
    }

private:
    void ClearTopMenuPicture() { image1_->setPixmap(QPixmap()); }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo4)
#include "tst_frmPelumo4.moc"
