// The event editor's dialogs as a user drives them; their frame leaves the row as it was.

#include "core/EventKinds.h"
#include "core/Module1.h"
#include "dialogs/form2.h"
#include "dialogs/frmText2.h"
#include "dialogs/frmWait.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

class TestEventDialogs : public QObject {
    Q_OBJECT
    Module1 m;
    FakePlatform platform;

private slots:
    // The kind picker on a wait: arrows alone choose nothing, Return chooses.
    // On an empty row it has no cancel button, and Escape leaves the row.
    void form2KeysChooseOrLeave()
    {
        for (const bool empty : {false, true}) {
            m.EventIndex = 4, m.EventTable[4][0] = empty ? QString() : EventKinds::kWait, m.DialogResult = 7;
            form2 dlg(m, platform);
            dlg.show();
            QCOMPARE(dlg.Command1->isVisible(), !empty);
            for (const Qt::Key key : empty ? QList{Qt::Key_Escape} : QList{Qt::Key_End, Qt::Key_Up, Qt::Key_Return})
                QTest::keyClick(dlg.lstList, key);
            QVERIFY(!dlg.isVisible());
            QCOMPARE(m.EventTable[4][0] + QString::number(m.DialogResult), empty ? "0" : EventKinds::kClearText + "1");
        }
    }

    // Entries into a row holding 500 (the text dialog shows it, the wait box
    // starts empty): what OK keeps and closes, or the window stays, with the
    // wait box emptied; the frame gives the row back.
    void textAndWaitEntries()
    {
        const struct { bool wait; const char* typed; const char* kept; } cases[] = {
            {false, "言う\"はい\"", nullptr}, {false, "", nullptr}, {true, "１５００", "1500"}, {true, "30001", nullptr}, {true, "abc", nullptr}};
        for (const auto& c : cases) {
            m.EventIndex = 3, m.EventTable[3][1] = "500";
            std::unique_ptr<QDialog> dlg(c.wait ? static_cast<QDialog*>(new frmWait(m, platform)) : new frmText2(m, platform));
            dlg->show();
            auto* box = dlg->findChild<QLineEdit*>(c.wait ? "Text1" : "txtText");
            QCOMPARE(box->text(), c.wait ? "" : "500");
            if (!c.wait && *c.typed) Modal::Expect("frmError", [](QWidget*) {});
            box->clear(), Modal::CommitText(box, QString::fromUtf8(c.typed));
            Modal::Click(dlg.get(), c.wait ? "Command1" : "cmdOk");
            QCOMPARE(dlg->isVisible(), !c.kept);
            QVERIFY(!c.wait || box->text().isEmpty());
            dlg->close();
            QCOMPARE(m.EventTable[3][1], c.kept ? c.kept : "500");
        }
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral("ダブルクォーテーション（\"）は使えません。")});
    }
};

PELUMO_GUI_TEST_MAIN(TestEventDialogs)
#include "tst_event_dialogs.moc"
