// The dialogs opened as their callers open them: the item name and wait
// entries, and the start graphic picker.

#include "core/Module1.h"
#include "dialogs/frmFilesentaku.h"
#include "dialogs/frmText1.h"
#include "dialogs/frmWait.h"
#include "support/Bytes.h"
#include "support/GuiTest.h"

class TestDialogs : public WindowTest {
    Q_OBJECT

    std::unique_ptr<Module1> m;
    std::unique_ptr<FakePlatform> p;

private slots:
    void init()
    {
        Modal::Reset();
        m = std::make_unique<Module1>();
        p = std::make_unique<FakePlatform>();
    }

    // Refuses, saying why, what a list file cannot hold; no length limit; an empty OK stays; the frame restores.
    void itemName()
    {
        m->PrepareNewList();
        m->ItemIndex = Module1::kStartMessageRow;  // the start message is checked alike
        QString& cell = m->ListTable[Module1::kStartMessageRow][1];
        frmText1 dlg(*m, *p);
        const std::pair<const char*, const char*> refusals[] = {
            {"A\"B", "ダブルクォーテーション（\"）は使えません。"},
            {"A\nB", "改行は使えません。"},
            {"〜", "「〜」はデータに保存できない文字です。別の文字に置き換えてください。"},  // read back as ～
        };
        for (const auto& [typed, reason] : refusals) {
            Modal::Expect("frmError", [](QWidget*) {});
            Modal::Enter(QString::fromUtf8(typed))(&dlg);
            QCOMPARE(Modal::Texts().last(), QString::fromUtf8(reason));
        }
        QCOMPARE(cell, Module1::kNewStartMessage);
        Modal::Enter(QString(40000, u'長'))(&dlg);
        QCOMPARE(cell, QString(40000, u'長'));
        dlg.show();
        Modal::Enter(QString())(&dlg);
        QVERIFY(cell.isEmpty());
        QVERIFY(dlg.isVisible());
        dlg.close();
        QCOMPARE(cell, Module1::kNewStartMessage);
    }

    // The wait box starts empty: OK keeps an accepted wait and closes, or
    // empties the box and stays; the frame gives the row back.
    void waitEntry()
    {
        for (const auto& [typed, kept] : {std::pair{"１５００", "1500"}, {"30001", ""}}) {
            m->EventIndex = 3;
            m->EventTable[3][1] = "500";
            frmWait dlg(*m);
            dlg.show();
            auto* box = Control<QLineEdit>(&dlg, "Text1");
            QCOMPARE(box->text(), "");
            Modal::CommitText(box, QString::fromUtf8(typed));
            Modal::Click(&dlg, "Command1");
            QVERIFY(box->text().isEmpty());
            QCOMPARE(dlg.isVisible(), !*kept);
            dlg.close();
            QCOMPARE(m->EventTable[3][1], *kept ? kept : "500");
        }
    }

    // The start graphic picker offers the pictures a project file can name. OK takes the one
    // chosen and closes; it stays without a choice, and refuses a name Windows cannot hold or
    // another file Windows takes for the same; a picture the player may not show is taken after a
    // warning. The frame stores nothing.
    void startGraphicPicker()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.JPG", "a.gif", "d.wav", "e.txt", "q\"uote.gif", "€.bmp"}) QVERIFY(Bytes::Write(dir.filePath(name), {}));
        const QImage picture(40, 30, QImage::Format_RGB32);
        for (const char* name : {"con.bmp", "Twin.bmp", "twin.bmp"}) QVERIFY(picture.save(dir.filePath(name), "BMP"));
        QImageWriter progressive(dir.filePath("soft.jpg"), "jpg");
        progressive.setProgressiveScanWrite(true);
        QVERIFY(progressive.write(picture));
        m->ProjectFolder = dir.path();
        m->CallerMode = Module1::kModeListEditor;
        m->ListTable[Module1::kStartGraphicRow][1] = "old.bmp";
        const struct {
            const char* chosen;
            bool ok;              // OK, or the frame
            const char* message;  // a part of the one message shown; empty for none
            bool staysOpen;
        } choices[] = {
            {"", true, "", true},
            {"b.JPG", false, "", false},
            {"con.bmp", true, "は Windows が装置の名前として使う", true},
            {"Twin.bmp", true, "「Twin.bmp」と「twin.bmp」は大文字と小文字の違いしかなく", true},
            {"soft.jpg", true, "はプログレッシブの JPEG です", false},
        };
        for (const auto& c : choices) {
            frmFilesentaku dlg(*m, *p);
            dlg.show();
            auto* files = Control<QListWidget>(&dlg, "File1");
            QCOMPARE(files->count(), 6);  // neither the sound, the text nor the names a project file cannot hold
            for (QListWidgetItem* row : files->findItems(c.chosen, Qt::MatchExactly)) files->setCurrentItem(row);
            Modal::Reset();
            if (*c.message) Modal::Expect("frmError");
            if (c.ok)
                Modal::Click(&dlg, "Command1");
            else
                dlg.close();
            QVERIFY2(Modal::Texts().join("").contains(c.message), c.chosen);
            QCOMPARE(dlg.isVisible(), c.staysOpen);
            const bool taken = c.ok && !c.staysOpen;
            QCOMPARE(m->ListTable[Module1::kStartGraphicRow][1], taken ? c.chosen : "old.bmp");
            if (!c.staysOpen) QCOMPARE(m->DialogResult, qint16(taken));
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
