// The list editor through its buttons, the real dialogs answered, the event files checked on disk.

#include "core/ListDataFile.h"
#include "forms/ClickLabel.h"
#include "listedit/frmPelumo4.h"
#include "support/Bytes.h"
#include "support/Corpus.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

// Clicks `b`, answering `form` with `answer` (its Command1 when none).
static void Click(QWidget* b, const QString& form = "frmError", const Modal::Handler& answer = {})
{
    answer ? Modal::Expect(form, answer) : Modal::Expect(form);
    QTest::mouseClick(b, Qt::LeftButton);
}

class TestFrmPelumo4 : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Module1> m_;
    FakePlatform platform_;
    std::unique_ptr<frmPelumo4> w_;

    // Opens the editor as the top menu does, on a new list whose rows 1..items are "i1", "i2", ...
    void Open(int items)
    {
        dir_ = std::make_unique<QTemporaryDir>(), m_ = std::make_unique<Module1>();
        m_->PrepareNewList();
        m_->ProjectFolder = dir_->path();
        m_->CallerMode = Module1::kModeListEditor, m_->ItemIndex = 37;  // it opens on item 1 all the same
        for (int row = 1; row <= items; ++row) {
            m_->ListTable[row][1] = QStringLiteral("i%1").arg(row);
            m_->ListTable[row][2] = QStringLiteral("%1.pev").arg(m_->LastEventFileNumber = qint16(row));
            QVERIFY(row > 9 || Bytes::Write(dir_->filePath(m_->ListTable[row][2]), {}));
        }
        w_ = std::make_unique<frmPelumo4>(*m_, platform_);
        w_->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w_->show();
    }
    void GoTo(int row)
    {
        for (int i = 0; i < 200 && m_->ItemIndex < row; ++i) (m_->ItemIndex + 10 <= row ? w_->cmd10Next : w_->cmdNext)->click();
        QCOMPARE(m_->ItemIndex, qint16(row));
    }
    QString View() const  // number and name of the rows above, at and below ItemIndex, and its event file
    {
        return QStringList{w_->lblYousoUe->text(), w_->lblListUe->text(), w_->cmdYouso->text(), w_->lblList->text() + ':' + m_->ListTable[m_->ItemIndex][2], w_->lblYousoSita->text(), w_->lblListSita->text()}.join('|');
    }

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // Rename, insert, delete and an unnamed row, with their event files; an event file or a list that
    // cannot be written refuses and keeps the window; the start message goes back to item 1; the
    // start graphic is cleared in a folder without pictures, an undecodable one reported.
    void editing()
    {
        Open(3);
        GoTo(2);
        Click(w_->cmdHenshu, "frmText1", Modal::Enter("B2"));
        Click(w_->cmdSounyu1, "frmText1", Modal::Enter("N"));
        Click(w_->cmdSounyu2, "frmText1", Modal::Enter("M"));
        Click(w_->cmdSakujo1, "frmYesNo", [](QWidget* w) { Modal::Click(w, "Command2"); });
        Click(w_->cmdSakujo1, "frmYesNo");
        Click(w_->cmdSakujo2, "frmYesNo");
        QCOMPARE(View(), "1|i1|2|M:5.pev|3|i3");
        GoTo(4);
        Click(w_->lblList, "frmText1", [](QWidget* w) { w->close(); });  // the same as "← 編集"
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), (QStringList{"1.pev", "3.pev", "5.pev", "6.pev"}));

        QVERIFY(QDir(dir_->path()).mkdir("7.pev") && QDir(dir_->path()).mkdir("LISTDATA.PLD"));
        Click(w_->cmdSounyu1), Click(w_->cmdSounyu2);
        Click(w_->cmdHenshu);                                                              // the name is not asked
        QCOMPARE(View() + QString::number(m_->LastEventFileNumber), "3|i3|4|:6.pev|5|6");  // the unnamed row kept its file
        w_->close();
        Click(w_->cmdOk);
        QVERIFY(w_->isVisible());

        Click(w_->Command1, "frmText1", Modal::Enter("ようこそ"));
        QCOMPARE(View(), "0|" + Module1::kDashLine + "|1|i1:1.pev|2|M");
        m_->ListTable[Module1::kStartGraphicRow][1] = "gone.bmp";
        Click(w_->Command2);
        QCOMPARE(Modal::Texts().last() + m_->ListTable[Module1::kStartGraphicRow][1],
                 "このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。");
        QVERIFY(Bytes::Write(dir_->filePath("broken.jpg"), {}));
        Click(w_->Command2, "frmFilesentaku", [](QWidget* w) { Modal::Expect("frmError"), Modal::Enter("broken.jpg")(w); });
        QCOMPARE(Modal::Texts().last(), "指定のスタートグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。");
    }

    // A full list refuses inserts; row 999 without an event file refuses below; the moves stop at the ends.
    void fullList()
    {
        Open(999);
        GoTo(500);
        Click(w_->cmdSounyu1), Click(w_->cmdSounyu2);
        m_->ListTable[999][2].clear();
        GoTo(999);
        Click(w_->cmdSounyu2);
        QCOMPARE(Modal::Texts(), QStringList(3, "すでに999項目作成され、これ以上は作れません。"));
        for (QPushButton* b : {w_->cmdNext, w_->cmd10Next, w_->cmd10Before, w_->cmdBefor}) b->click();
        QCOMPARE(View(), "987|i987|988|i988:988.pev|989|i989");
    }

    // "点検" lists what the check finds in the folder as it is; OK closes the list.
    void showCheck()
    {
        Open(0);
        m_->ProjectFolder = Corpus::Prepare(PELUMO_CORPUS, "lf-only-files", dir_->path());  // a show without problems
        QVERIFY(ListDataFile::Read(*m_).ok && m_->ListTable[2][1].isEmpty());
        m_->ListTable[2][1] = "B", m_->ListTable[2][2] = "20.pev";  // not on disk
        QVERIFY(Bytes::Write(m_->ProjectPath("50.pev"), ""));
        QStringList shown;
        Click(w_->cmdTenken, "frmTenken", [&](QWidget* w) {
            auto* list = w->findChild<QListWidget*>("lstKekka");
            for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text().section(QStringLiteral("。"), 0, 0);
            Modal::Click(w, "cmdOk");
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(shown, (QStringList{"2番の項目「B」：イベントファイル「20.pev」がありません", "イベントファイル「50.pev」：どの項目にも使われていません"}));
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo4)
#include "tst_frmPelumo4.moc"
