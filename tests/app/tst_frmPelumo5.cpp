// The folder chooser on a temporary working folder: the file list per mode,
// single and double clicks, what OK and Cancel leave in ProjectFolder, and a
// drive that cannot be opened.

#include "core/Module1.h"
#include "app/frmPelumo5.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

// Clicks (or double-clicks) the folder list entry "sub".
void ClickSub(frmPelumo5& d, bool twice)
{
    QTreeWidgetItem* item =
        d.dirSentaku->findItems(QStringLiteral("sub"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    d.dirSentaku->scrollToItem(item);
    const QPoint at = d.dirSentaku->visualItemRect(item).center();
    if (twice) QTest::mouseDClick(d.dirSentaku->viewport(), Qt::LeftButton, {}, at);
    else QTest::mouseClick(d.dirSentaku->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class TestFrmPelumo5 : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString base_;  // the working folder every opening starts in

private slots:
    void initTestCase()
    {
        base_ = QFileInfo(tmp_.path()).canonicalFilePath();
        QVERIFY(QDir(base_).mkpath(QStringLiteral("sub/Folder.pld")));
        for (const char* name : {"a.txt", "B.PLD", "c.pld", "sub/inner.pld"})
            QVERIFY(QFile(base_ + QLatin1Char('/') + QLatin1String(name)).open(QIODevice::WriteOnly));
        QVERIFY(QDir::setCurrent(base_));
    }

    // The file list per mode; a single click only highlights, a double-click
    // opens; OK takes the open folder unless it is the root; a drive that
    // cannot be opened is reported; the frame puts back PreviousFolder.
    void chooser()
    {
        Module1 m;
        FakePlatform p;
        m.CallerMode = Module1::kModeNewProject;
        QCOMPARE(frmPelumo5(m, p).filSentaku->count(), 3);  // a.txt, B.PLD, c.pld
        m.CallerMode = Module1::kModeLoad;
        frmPelumo5 d(m, p);
        QCOMPARE(d.filSentaku->count(), 2);  // B.PLD, c.pld
        d.show();
        const QString sub = base_ + QStringLiteral("/sub");
        ClickSub(d, false);
        d.cmdOk->click();
        QCOMPARE(m.ProjectFolder, base_);
        d.show();
        ClickSub(d, true);
        QCOMPARE(d.filSentaku->count(), 1);  // inner.pld, not the folder Folder.pld
        d.cmdOk->click();
        QCOMPARE(m.ProjectFolder, sub);

        d.show();
        const QString gone = base_ + QStringLiteral("/unmounted");  // went away after the list was made
        d.drvSentaku->addItem(gone, gone);
        Modal::Expect(QStringLiteral("frmError"), [](QWidget* w) { Modal::Click(w, QStringLiteral("Command1")); });
        d.drvSentaku->setCurrentIndex(d.drvSentaku->count() - 1);
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral("ディスクが準備されていません。")});

        QVERIFY(d.OpenFolder(QStringLiteral("/")));
        d.cmdOk->click();
        QVERIFY(d.isVisible());
        m.PreviousFolder = QStringLiteral("/earlier");
        d.close();
        QCOMPARE(m.ProjectFolder, QStringLiteral("/earlier"));
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo5)
#include "tst_frmPelumo5.moc"
