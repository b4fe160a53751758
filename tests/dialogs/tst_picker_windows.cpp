// The file picker and the player's Windows PC: a name Windows cannot hold or
// another file Windows takes for the same is refused; a picture the player
// may not show is taken after a warning; a plain one without a word.

#include "core/Module1.h"
#include "dialogs/frmFilesentaku.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

class TestPickerWindows : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }

    void choices_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");  // a part of the one message shown; empty for none
        QTest::addColumn<bool>("taken");
        QTest::newRow("device name") << "con.bmp"
                                     << "は Windows が装置の名前として使う" << false;
        QTest::newRow("case twin") << "Twin.bmp"
                                   << "「Twin.bmp」と「twin.bmp」は大文字と小文字の違いしかなく" << false;
        QTest::newRow("progressive") << "soft.jpg"
                                     << "はプログレッシブの JPEG です" << true;
        QTest::newRow("plain") << "plain.bmp"
                               << "" << true;
    }

    void choices()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(bool, taken);
        QTemporaryDir dir;
        const QImage picture(40, 30, QImage::Format_RGB32);
        for (const char* file : {"con.bmp", "Twin.bmp", "twin.bmp", "plain.bmp"}) QVERIFY(picture.save(dir.filePath(file), "BMP"));
        QImageWriter progressive(dir.filePath("soft.jpg"), "jpg");
        progressive.setProgressiveScanWrite(true);
        QVERIFY(progressive.write(picture));

        Module1 m;
        FakePlatform platform;
        m.ProjectFolder = dir.path();
        m.CallerMode = Module1::kModeListEditor;
        frmFilesentaku picker(m, platform);
        picker.show();
        const auto rows = picker.File1->findItems(name, Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        picker.File1->setCurrentItem(rows.first());
        if (!message.isEmpty()) Modal::Expect("frmError");
        picker.Command1->click();
        QCOMPARE(Modal::Texts().size(), qsizetype(message.isEmpty() ? 0 : 1));
        QVERIFY(Modal::Texts().join("").contains(message));
        QCOMPARE(m.ListTable[Module1::kStartGraphicRow][1], taken ? name : QString());
        QCOMPARE(picker.isVisible(), !taken);
    }
};

PELUMO_GUI_TEST_MAIN(TestPickerWindows)
#include "tst_picker_windows.moc"
