// The event editor's dialogs driven as a user drives them; closing the frame
// always leaves the row as it was.

#include "core/EventKinds.h"
#include "core/Module1.h"
#include "dialogs/form2.h"
#include "dialogs/frmText2.h"
#include "dialogs/frmWait.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

class TestEventDialogs : public QObject {
    Q_OBJECT
    Module1 m;
    FakePlatform platform;

private slots:
    // Answers: a click on ウエイト, End Up Return (arrows alone choose nothing),
    // the cancel button, Escape (which the frame shares; also without the button).
    void form2ChoosesOrLeavesTheRow()
    {
        const struct { const char* kind; char answer; const char* chosen; } cases[] = {
            {"", 'c', "ウエイト"}, {"ウエイト", 'k', "テキスト消去"}, {"テキスト表示", 'b', ""}, {"", 'e', ""}};
        for (const auto& c : cases) {
            m.EventIndex = 4;
            m.EventTable[4][0] = QString::fromUtf8(c.kind);
            m.EventTable[4][1] = QStringLiteral("param");
            m.DialogResult = 7;
            form2 dlg(m, platform);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg) && dlg.lstList->count() == EventKinds::kAll.size());
            QCOMPARE(dlg.Command1->isVisible(), *c.kind != 0);
            const QListWidgetItem* wait = dlg.lstList->item(EventKinds::kAll.indexOf(EventKinds::kWait));
            if (c.answer == 'c') QTest::mouseClick(dlg.lstList->viewport(), Qt::LeftButton, {}, dlg.lstList->visualItemRect(wait).center());
            if (c.answer == 'k') QTest::keyClick(dlg.lstList, Qt::Key_End), QTest::keyClick(dlg.lstList, Qt::Key_Up);
            QCOMPARE(dlg.isVisible(), c.answer != 'c');
            if (c.answer == 'k') QTest::keyClick(dlg.lstList, Qt::Key_Return);
            if (c.answer == 'b') dlg.Command1->click();
            if (c.answer == 'e') QTest::keyClick(dlg.lstList, Qt::Key_Escape);
            QVERIFY(!dlg.isVisible());
            const QString chosen = QString::fromUtf8(c.chosen);
            QCOMPARE(m.DialogResult, qint16(!chosen.isEmpty()));
            QCOMPARE(m.EventTable[4][0] + '|' + m.EventTable[4][1], (*c.chosen ? chosen : c.kind) + "|param");
        }
    }

    void frmText2KeepsTheTextExactlyAndRefusesAQuote()
    {
        m.EventIndex = 2;
        m.EventTable[2][1] = QStringLiteral("1500");  // a former wait's parameter
        for (const QString& typed : {QString(), QStringLiteral("  ようこそ　")}) {
            frmText2 dlg(m, platform);
            dlg.show();
            QCOMPARE(dlg.txtText->text(), QStringLiteral("1500"));
            Modal::Expect(QStringLiteral("frmError"), [](QWidget*) {});
            Modal::TypeText(QStringLiteral("言う\"はい\""))(&dlg);
            QCOMPARE(Modal::Texts().last() + m.EventTable[2][1], QStringLiteral("ダブルクォーテーション（\"）は使えません。1500"));
            Modal::TypeText(typed)(&dlg);  // stored; an empty text keeps the window open
            QCOMPARE(m.EventTable[2][1], typed);
            QCOMPARE(dlg.isVisible(), typed.isEmpty());
            dlg.close();
            QCOMPARE(m.EventTable[2][1], typed.isEmpty() ? QStringLiteral("1500") : typed);
        }
    }

    // Entries into a row holding 500; WaitMillis -1 means it was left alone.
    void frmWaitEntries()
    {
        const struct { const char* typed; const char* stored; qint32 millis; } cases[] = {
            {"1000", "1000", 1000}, {"１５００", "1500", 1500}, {"30001", "0", 30001}, {"abc", "0", -1}, {"", "0", -1}};
        for (const auto& c : cases) {
            m.EventIndex = 3;
            m.EventTable[3][1] = QStringLiteral("500");
            m.WaitMillis = -1;
            frmWait dlg(m, platform);
            dlg.show();
            QVERIFY(dlg.Text1->text().isEmpty());  // the current wait is not shown
            Modal::CommitText(dlg.Text1, QString::fromUtf8(c.typed));
            dlg.Command1->click();
            const bool accepted = *c.stored != '0';
            QCOMPARE(m.EventTable[3][1] + '|' + QString::number(m.WaitMillis), QString::asprintf("%s|%d", c.stored, c.millis));
            QVERIFY2(dlg.Text1->text().isEmpty() && dlg.isVisible() != accepted, c.typed);
            dlg.close();
            QCOMPARE(m.EventTable[3][1], QString::fromUtf8(accepted ? c.stored : "500"));
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestEventDialogs)
#include "tst_event_dialogs.moc"
