// The list editor driven through its buttons, with the real dialogs answered
// and the event files checked on disk.

#include "core/EventFile.h"
#include "forms/ClickLabel.h"
#include "forms/Picture.h"
#include "listedit/frmPelumo4.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

void FrameClose(QWidget* w) { w->close(); }

// Clicks `b` and answers the window `form` it opens with `answer`, or with a
// click on its Command1 (OK, yes).
void Click(QPushButton* b, const QString& form = "frmError", Modal::Handler answer = {})
{
    Modal::Expect(form, answer ? answer : [](QWidget* w) { Modal::Click(w, "Command1"); });
    b->click();
}

}  // namespace

class TestFrmPelumo4 : public QObject {
    Q_OBJECT

    std::unique_ptr<Module1> m_;
    FakePlatform platform_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<frmPelumo4> w_;

    QString Path(const QString& name) const { return dir_->filePath(name); }
    QStringList Files() const { return QDir(dir_->path()).entryList(QDir::Files); }

    // Opens the editor on rows 1..items named "A", "B", ... with event files
    // 1.pev.. on disk.
    void Open(int items = 0)
    {
        for (int row = 1; row <= items; ++row) {
            m_->ListTable[row][1] = QString(QChar(u'A' + row - 1));
            m_->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
            m_->LastEventFileNumber = qint16(row);
            QVERIFY(EventFile::Create(m_->ProjectFolder, m_->ListTable[row][2]).ok);
        }
        w_ = std::make_unique<frmPelumo4>(*m_, platform_);
        w_->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w_->show();
    }

    void GoTo(int row)
    {
        for (int i = 0; i < 100 && m_->ItemIndex + 10 <= row; ++i) w_->cmd10Next->click();
        for (int i = 0; i < 10 && m_->ItemIndex < row; ++i) w_->cmdNext->click();
        QCOMPARE(m_->ItemIndex, qint16(row));
    }

    QString View() const  // number and name of the upper, current and lower row
    {
        return QStringList{w_->lblYousoUe->text(), w_->lblListUe->text(), w_->cmdYouso->text(),
                           w_->lblList->text(), w_->lblYousoSita->text(), w_->lblListSita->text()}.join('|');
    }

    QString Rows(int n) const  // "name:file" of rows 1..n
    {
        QStringList out;
        for (int row = 1; row <= n; ++row) out << m_->ListTable[row][1] + ':' + m_->ListTable[row][2];
        return out.join(' ');
    }

private slots:
    void init()
    {
        Modal::Reset();
        dir_ = std::make_unique<QTemporaryDir>();
        m_ = std::make_unique<Module1>();
        m_->PrepareNewList();
        m_->ProjectFolder = dir_->path();
        m_->CallerMode = Module1::kModeListEditor;
        m_->ItemIndex = 37;  // whatever the top menu left: the editor opens on item 1
    }

    void itemsNamedInsertedDeletedAndEditedUnnamed()
    {
        Open();
        QCOMPARE(View(), "0|" + Module1::kDashLine + "|1||2|");
        for (const char* name : {"A", "B", "C"}) {
            Click(w_->cmdHenshu, "frmText1", Modal::TypeText(name));
            w_->cmdNext->click();
        }
        QCOMPARE(Rows(4), "A:1.pev B:2.pev C:3.pev :");
        QCOMPARE(Files(), (QStringList{"1.pev", "2.pev", "3.pev"}));
        QCOMPARE(View(), "3|C|4||5|");
        w_->cmdBefor->click();
        Click(w_->cmdHenshu, "frmText1", Modal::TypeText("C2"));  // a new name, no new event file

        // Insert above and below on B; while the name is asked, the new empty row is current.
        w_->cmdBefor->click();
        Click(w_->cmdSounyu1, "frmText1", [this](QWidget* w) {
            QCOMPARE(View(), "1|A|2||3|B");
            Modal::TypeText("N")(w);
        });
        Click(w_->cmdSounyu2, "frmText1", Modal::TypeText("M"));
        QCOMPARE(Rows(5), "A:1.pev N:4.pev M:5.pev B:2.pev C2:3.pev");
        QCOMPARE(View(), "2|N|3|M|4|B");

        // Delete above and below on M, after a first "no".
        Click(w_->cmdSakujo1, "frmYesNo", [](QWidget* w) { Modal::Click(w, "Command2"); });
        Click(w_->cmdSakujo1, "frmYesNo");
        QCOMPARE(View(), "1|A|2|M|3|B");
        Click(w_->cmdSakujo2, "frmYesNo");
        QCOMPARE(Rows(4), "A:1.pev M:5.pev C2:3.pev :");
        QCOMPARE(View(), "1|A|2|M|3|C2");
        QCOMPARE(Modal::Texts().last(), "3番の項目を、その中のイベントごと削除します。いいですか？");

        // "← 編集" on an unnamed row, left without a name twice: each time a new event file.
        GoTo(4);
        Click(w_->cmdHenshu, "frmText1", FrameClose);
        Modal::Expect("frmText1", FrameClose);
        QTest::mouseClick(w_->lblList, Qt::LeftButton);  // the same as "← 編集"
        QCOMPARE(m_->ListTable[4][1] + ':' + m_->ListTable[4][2], ":7.pev");
        QCOMPARE(Files(), (QStringList{"1.pev", "3.pev", "5.pev", "6.pev", "7.pev"}));
    }

    void fullList()
    {
        for (int row = 1; row <= 999; ++row) {
            m_->ListTable[row][1] = QStringLiteral("項目%1").arg(row);
            m_->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
        }
        Open();
        GoTo(500);
        Click(w_->cmdSounyu1);
        Click(w_->cmdSounyu2);
        QCOMPARE(View(), "499|項目499|500|項目500|501|項目501");
        // Row 999 named without an event file: not full, but nothing goes below it.
        m_->ListTable[999][2].clear();
        GoTo(999);
        QCOMPARE(View(), "998|項目998|999|項目999|1000|");
        Click(w_->cmdSounyu2);
        QCOMPARE(Modal::Texts(), QStringList(3, "すでに999項目作成され、これ以上は作れません。"));
    }

    void startMessageAndStartGraphic()
    {
        Open(3);
        GoTo(3);
        Click(w_->Command1, "frmText1", Modal::TypeText("ようこそ"));
        QCOMPARE(View(), "0|" + Module1::kDashLine + "|1|A|2|B");

        // A folder with only wav files: the start graphic is cleared.
        QVERIFY(QFile(Path("a.wav")).open(QIODevice::WriteOnly));
        m_->ListTable[Module1::kStartGraphicRow][1] = "gone.bmp";
        Click(w_->Command2);
        QCOMPARE(Modal::Texts().last(), "このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。");
        QCOMPARE(m_->ListTable[Module1::kStartGraphicRow][1], QString());

        // A folder with one bmp: chosen and shown in the top menu.
        QVERIFY(QImage(8, 6, QImage::Format_RGB32).save(Path("title.bmp")));
        Click(w_->Command2, "frmFilesentaku", [](QWidget* w) {
            w->findChild<QListWidget*>()->setCurrentRow(0);
            Modal::Click(w, "Command1");
        });
        QCOMPARE(m_->ListTable[Module1::kStartGraphicRow][1], QStringLiteral("title.bmp"));
        // A picture that will not decode is reported while it can be changed.
        QVERIFY(QFile(Path("broken.jpg")).open(QIODevice::WriteOnly));
        Click(w_->Command2, "frmFilesentaku", [](QWidget* w) {
            w->findChild<QListWidget*>()->setCurrentRow(0);
            Modal::Expect("frmError", [](QWidget* e) { Modal::Click(e, "Command1"); });
            Modal::Click(w, "Command1");
        });
        QCOMPARE(Modal::Texts().last(), Picture::UnreadableStartGraphicMessage());
    }

    void refusalsThatKeepTheListWhole()
    {
        Open(3);
        QVERIFY(QDir(dir_->path()).mkdir("4.pev"));  // in the way of the next event file
        Click(w_->cmdSounyu1);
        Click(w_->cmdSounyu2);
        GoTo(4);
        Click(w_->cmdHenshu);  // the name is not asked
        QCOMPARE(Modal::Texts(), QStringList(3, "「4.pev」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。"));
        QCOMPARE(Rows(4), "A:1.pev B:2.pev C:3.pev :");
        QCOMPARE(m_->LastEventFileNumber, qint16(3));

        // OK is the only way out; a list that cannot be written keeps the window.
        w_->close();
        QTest::keyClick(w_.get(), Qt::Key_Escape);
        QVERIFY(w_->isVisible());
        QVERIFY(QDir(dir_->path()).mkdir("LISTDATA.PLD"));
        Click(w_->cmdOk);
        QCOMPARE(Modal::Texts().last(), "「LISTDATA.PLD」を保存できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。");
        QVERIFY(w_->isVisible());
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo4)
#include "tst_frmPelumo4.moc"
