// The dialogs opened as their callers open them: message and question, the
// item name and wait entries, and the kind and start graphic pickers.

#include "core/EventKinds.h"
#include "core/Module1.h"
#include "dialogs/form2.h"
#include "dialogs/frmError.h"
#include "dialogs/frmFilesentaku.h"
#include "dialogs/frmText1.h"
#include "dialogs/frmWait.h"
#include "dialogs/frmYesNo.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

class TestDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<Module1> m;
    std::unique_ptr<FakePlatform> p;

private slots:
    void init() { Modal::Reset(), m = std::make_unique<Module1>(), p = std::make_unique<FakePlatform>(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // frmError leaves DialogResult alone, frmYesNo sets it from Yes and No (frame: No); each beeps.
    void messageAndQuestion()
    {
        m->ErrorText = m->QuestionText = QStringLiteral("消されたか、名前が変更された可能性があります。");
        m->DialogResult = 7;
        const struct {
            bool error;
            const char* button;
            qint16 result;
        } answers[] = {
            {true, "Command1", 7}, {true, nullptr, 7}, {false, "Command1", 1}, {false, "Command2", 0}, {false, "Command1", 1}, {false, nullptr, 0}};
        for (const auto& a : answers) {
            Modal::Expect(a.error ? "frmError" : "frmYesNo", [&](QWidget* w) { a.button ? Modal::Click(w, a.button) : void(w->close()); });
            a.error ? frmError(*m, *p).exec() : frmYesNo(*m, *p).exec();
            QCOMPARE(m->DialogResult, a.result);
        }
        QCOMPARE(Modal::Texts(), QStringList(6, m->ErrorText));
        QCOMPARE(p->beeps, 6);
    }

    // Refuses, saying why, what a list file cannot hold; no length limit; an empty OK stays; the frame restores.
    void itemName()
    {
        m->PrepareNewList(), m->ItemIndex = Module1::kStartMessageRow;  // the start message is checked alike
        QString& cell = m->ListTable[Module1::kStartMessageRow][1];
        frmText1 dlg(*m, *p);
        for (const auto& [typed, reason] : {std::pair{"A\"B", "ダブルクォーテーション（\"）は使えません。"}, {"A\nB", "改行は使えません。"}, {"〜", "「〜」はデータに保存できない文字です。別の文字に置き換えてください。"}}) {  // read back as ～
            Modal::Expect("frmError", [](QWidget*) {});
            Modal::Enter(QString::fromUtf8(typed))(&dlg);
            QCOMPARE(Modal::Texts().last(), QString::fromUtf8(reason));
        }
        QCOMPARE(cell, Module1::kNewStartMessage);
        Modal::Enter(QString(40000, u'長'))(&dlg);
        QCOMPARE(cell, QString(40000, u'長'));
        dlg.show();
        Modal::Enter(QString())(&dlg);
        QVERIFY(cell.isEmpty() && dlg.isVisible());
        dlg.close();
        QCOMPARE(cell, Module1::kNewStartMessage);
    }

    // The wait box starts empty: OK keeps an accepted wait and closes, or
    // empties the box and stays; the frame gives the row back.
    void waitEntry()
    {
        for (const auto& [typed, kept] : {std::pair{"１５００", "1500"}, {"30001", ""}, {"abc", ""}}) {
            m->EventIndex = 3, m->EventTable[3][1] = "500";
            frmWait dlg(*m);
            dlg.show();
            QCOMPARE(dlg.Text1->text(), "");
            Modal::CommitText(dlg.Text1, QString::fromUtf8(typed));
            dlg.Command1->click();
            QVERIFY(dlg.Text1->text().isEmpty() && dlg.isVisible() == !*kept);
            dlg.close();
            QCOMPARE(m->EventTable[3][1], *kept ? kept : "500");
        }
    }

    // The kind picker on a wait: arrows alone choose nothing, Return chooses.
    // On an empty row it has no cancel button, and Escape leaves the row.
    void kindPickerKeys()
    {
        for (const bool empty : {false, true}) {
            m->EventIndex = 4, m->EventTable[4][0] = empty ? QString() : EventKinds::kWait, m->DialogResult = 7;
            form2 dlg(*m);
            dlg.show();
            QCOMPARE(dlg.Command1->isVisible(), !empty);
            for (const Qt::Key key : empty ? QList{Qt::Key_Escape} : QList{Qt::Key_End, Qt::Key_Up, Qt::Key_Return})
                QTest::keyClick(dlg.lstList, key);
            QVERIFY(!dlg.isVisible());
            QCOMPARE(m->EventTable[4][0] + QString::number(m->DialogResult), empty ? "0" : EventKinds::kClearText + "1");
        }
    }

    // Offers the pictures a project file can name; OK without a choice stays open; the frame stores nothing.
    void startGraphicPicker()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.JPG", "a.gif", "c.bmp", "d.wav", "e.txt", "q\"uote.gif", "€.bmp"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        m->ProjectFolder = dir.path(), m->CallerMode = Module1::kModeListEditor;
        m->ListTable[Module1::kStartGraphicRow][1] = "old.bmp";
        for (const bool ok : {false, true}) {  // closed through the frame, then confirmed with OK
            frmFilesentaku dlg(*m, *p);
            dlg.show();
            QCOMPARE(dlg.File1->count(), 3);  // a.gif, b.JPG, c.bmp
            Modal::Click(&dlg, "Command1");
            QVERIFY(dlg.isVisible());
            dlg.File1->setCurrentRow(1);
            ok ? Modal::Click(&dlg, "Command1") : void(dlg.close());
            QCOMPARE(m->DialogResult, qint16(ok && !dlg.isVisible()));  // 1 only once OK closed it
            QCOMPARE(m->ListTable[Module1::kStartGraphicRow][1], ok ? "b.JPG" : "old.bmp");
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
