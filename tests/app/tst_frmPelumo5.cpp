#include "app/frmPelumo5.h"
#include "core/Module1.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

class TestFrmPelumo5 : public QObject {
    Q_OBJECT

private slots:
    // The folder chooser: files per mode; a click highlights, a double-click opens; OK refuses the
    // root; a drive that will not open is reported; the frame puts back PreviousFolder.
    void chooser()
    {
        QTemporaryDir tmp;
        const QString base = QFileInfo(tmp.path()).canonicalFilePath();
        QVERIFY(QDir(base).mkpath("sub/Folder.pld"));
        for (const char* name : {"a.txt", "B.PLD", "c.pld", "sub/inner.pld"}) QVERIFY(QFile(base + '/' + name).open(QIODevice::WriteOnly));
        QVERIFY(QDir::setCurrent(base));  // where every opening starts
        Module1 m;
        FakePlatform p;
        QCOMPARE(frmPelumo5(m, p).filSentaku->count(), 3);  // any mode but load: a.txt, B.PLD, c.pld
        m.CallerMode = Module1::kModeLoad;
        frmPelumo5 d(m, p);
        QCOMPARE(d.filSentaku->count(), 2);  // B.PLD, c.pld
        for (const auto click : {QTest::MouseClick, QTest::MouseDClick}) {
            d.show();
            const auto sub = d.dirSentaku->findItems("sub", Qt::MatchExactly | Qt::MatchRecursive).value(0);
            QTest::mouseEvent(click, d.dirSentaku->viewport(), Qt::LeftButton, {}, d.dirSentaku->visualItemRect(sub).center());
            d.cmdOk->click();
            QCOMPARE(m.ProjectFolder, click == QTest::MouseDClick ? base + "/sub" : base);
        }
        QCOMPARE(d.filSentaku->count(), 1);  // inner.pld, not the folder Folder.pld

        d.show();
        d.drvSentaku->addItem(base + "/unmounted", base + "/unmounted");  // went away after the list was made
        Modal::Expect("frmError", [](QWidget* w) { Modal::Click(w, "Command1"); });
        d.drvSentaku->setCurrentIndex(d.drvSentaku->count() - 1);
        QCOMPARE(Modal::Texts(), QStringList{"ディスクが準備されていません。"});
        QVERIFY(d.OpenFolder("/"));
        d.cmdOk->click();
        QVERIFY(d.isVisible());
        m.PreviousFolder = "/earlier";
        d.close();
        QCOMPARE(m.ProjectFolder, "/earlier");
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo5)
#include "tst_frmPelumo5.moc"
