// The list item name dialog: what OK stores and when it closes, what the
// frame puts back, and the texts a list data file cannot hold.

#include "app/Module1.h"
#include "dialogs/frmText1.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QLineEdit>
#include <QPushButton>

#include <memory>

class TestFrmText1 : public QObject {
    Q_OBJECT

    std::unique_ptr<Module1> m_;
    FakePlatform platform_;

    void EraseText(QLineEdit* edit)
    {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }

private slots:
    void init()
    {
        Modal::Reset();
        m_ = std::make_unique<Module1>();
        m_->PrepareNewList();
        m_->ListTable[5][1] = QStringLiteral("ABC");
        m_->ListTable[5][2] = QStringLiteral("5.pev");
        m_->ItemIndex = 5;
    }

    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    void emptyTextIsStoredButKeepsTheWindowOpen_thenAnameCloses()
    {
        frmText1 dlg(*m_, platform_);
        dlg.show();
        QCOMPARE(dlg.txtText->text(), QStringLiteral("ABC"));
        EraseText(dlg.txtText);
        dlg.cmdOk->click();
        QCOMPARE(m_->ListTable[5][1], QString());
        QVERIFY(dlg.isVisible());

        Modal::CommitText(dlg.txtText, QStringLiteral("ＸＹＺ 項目"));
        dlg.cmdOk->click();
        QCOMPARE(m_->ListTable[5][1], QStringLiteral("ＸＹＺ 項目"));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(m_->ListTable[5][2], QStringLiteral("5.pev"));
        QCOMPARE(m_->ItemIndex, qint16(5));
    }

    void frameCloseRestoresTheTextAtOpening()
    {
        frmText1 dlg(*m_, platform_);
        dlg.show();
        EraseText(dlg.txtText);
        dlg.cmdOk->click();  // stores the empty text, stays open
        QCOMPARE(m_->ListTable[5][1], QString());
        Modal::CommitText(dlg.txtText, QStringLiteral("DEF"));
        dlg.close();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_->ListTable[5][1], QStringLiteral("ABC"));
    }

    void unstorableTextIsRefusedWithAReason_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("double quote")
            << QStringLiteral("A\"B") << QStringLiteral("ダブルクォーテーション（\"）は使えません。");
        QTest::newRow("outside CP932")
            << QStringLiteral("価格€と€")
            << QStringLiteral("「€」はデータに保存できない文字です。別の文字に置き換えてください。");
    }

    void unstorableTextIsRefusedWithAReason()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        m_->ItemIndex = Module1::kStartMessageRow;  // the start message is checked alike
        frmText1 dlg(*m_, platform_);
        dlg.show();
        QCOMPARE(dlg.txtText->text(), Module1::kNewStartMessage);
        EraseText(dlg.txtText);
        Modal::CommitText(dlg.txtText, typed);
        Modal::Expect(QStringLiteral("frmError"), [](QWidget* w) { Modal::Click(w, "Command1"); });
        const int beeps = platform_.beeps;
        dlg.cmdOk->click();
        QCOMPARE(Modal::Log(), QStringList{QStringLiteral("frmError")});
        QCOMPARE(Modal::Texts(), QStringList{message});
        QCOMPARE(platform_.beeps, beeps + 1);
        QVERIFY(dlg.isVisible());
        QCOMPARE(m_->ListTable[Module1::kStartMessageRow][1], Module1::kNewStartMessage);
        QCOMPARE(dlg.txtText->text(), typed);  // the user corrects it in place
        dlg.close();
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmText1)
#include "tst_frmText1.moc"
