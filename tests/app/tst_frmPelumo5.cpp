// The folder chooser on real temporary folders: where it opens, what its file
// list shows per mode, what OK and Cancel leave in ProjectFolder, and a drive
// that cannot be opened.

#include "app/FormLayout.h"
#include "app/Module1.h"
#include "app/frmPelumo5.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

QStringList Texts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out.append(list->item(i)->text());
    return out;
}

QTreeWidgetItem* FindFolderItem(QTreeWidget* tree, const QString& path)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (frmPelumo5::PathOf(*it) == path) return *it;
    return nullptr;
}

void Touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

}  // namespace

class TestFrmPelumo5 : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QString base_;  // the temporary folder as the working folder names it
    QString savedCwd_;

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        base_ = QFileInfo(tmp_.path()).canonicalFilePath();
        for (const char* name : {"a.txt", "B.PLD", "c.pld", "noext", ".hidden.pld"})
            Touch(base_ + QLatin1Char('/') + QLatin1String(name));
        QVERIFY(QDir(base_).mkpath(QStringLiteral("sub/deeper")));
        QVERIFY(QDir(base_).mkdir(QStringLiteral("Folder.pld")));
        Touch(base_ + QStringLiteral("/sub/inner.pld"));
        savedCwd_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(base_));
    }
    void cleanupTestCase() { QDir::setCurrent(savedCwd_); }
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    void layout()
    {
        Module1 m;
        FakePlatform p;
        frmPelumo5 d(m, p);
        QCOMPARE(d.windowTitle(),
                 QStringLiteral("ペルモフォルダ選択（フォルダはダブルクリックして開いてください。）"));
        QCOMPARE(d.size(), QSize(485, 211));
        QCOMPARE(d.drvSentaku->geometry(), QRect(40, 26, 209, 21));
        QCOMPARE(d.dirSentaku->geometry(), QRect(40, 60, 209, 111));
        QCOMPARE(d.filSentaku->geometry(), QRect(264, 24, 185, 149));
        QCOMPARE(d.cmdOk->geometry(), QRect(272, 176, 81, 25));
        QCOMPARE(d.Command1->geometry(), QRect(360, 176, 81, 25));
        QCOMPARE(d.cmdOk->text(), QStringLiteral("OK"));
        QCOMPARE(d.Command1->text(), QStringLiteral("キャンセル"));
        QCOMPARE(d.filSentaku->font().pointSizeF(), 9.75);
        QCOMPARE(d.cmdOk->font().pointSizeF(), 12.0);
        QVERIFY(d.cmdOk->font().bold());
        QCOMPARE(d.Command1->font().pointSizeF(), 9.0);
        QVERIFY(d.Command1->font().bold());
        QCOMPARE(QFontInfo(d.Command1->font()).family(), QStringLiteral("IPAPGothic"));
    }

    void opensInWorkingFolder_filePatternPerMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("files");
        const QStringList all{"a.txt", "B.PLD", "c.pld", "noext"};
        QTest::newRow("new project") << 1 << all;
        QTest::newRow("load") << 2 << QStringList{"B.PLD", "c.pld"};
        QTest::newRow("other") << 3 << all;
    }
    void opensInWorkingFolder_filePatternPerMode()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, files);
        Module1 m;
        FakePlatform p;
        m.CallerMode = static_cast<qint16>(mode);
        frmPelumo5 d(m, p);
        QCOMPARE(d.OpenedFolder(), base_);
        QCOMPARE(Texts(d.filSentaku), files);

        // The folder list: the path from the root down, open folder current,
        // its subfolders below it (folders never appear as files).
        QTreeWidgetItem* open = d.dirSentaku->currentItem();
        QVERIFY(open);
        QCOMPARE(frmPelumo5::PathOf(open), base_);
        QStringList subfolders;
        for (int i = 0; i < open->childCount(); ++i) subfolders.append(open->child(i)->text(0));
        QCOMPARE(subfolders, (QStringList{"Folder.pld", "sub"}));
        QCOMPARE(frmPelumo5::PathOf(d.dirSentaku->topLevelItem(0)), QStringLiteral("/"));
        QCOMPARE(d.dirSentaku->topLevelItemCount(), 1);
        int depth = 0;
        for (QTreeWidgetItem* i = open; i->parent(); i = i->parent()) ++depth;
        QCOMPARE(depth, base_.count(QLatin1Char('/')));

        // The drive list holds the root and the home folder and shows the
        // drive of the working folder.
        QVERIFY(d.drvSentaku->findData(QStringLiteral("/")) >= 0);
        QVERIFY(d.drvSentaku->findData(QDir::homePath()) >= 0);
        const QString drive = d.drvSentaku->currentData().toString();
        QVERIFY(drive == QLatin1String("/") || base_.startsWith(drive + QLatin1Char('/')));
        QCOMPARE(p.beeps, 0);
    }

    void singleClickHighlights_doubleClickOpens_okReturnsOpenFolder()
    {
        Module1 m;
        FakePlatform p;
        m.CallerMode = Module1::kModeLoad;
        frmPelumo5 d(m, p);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));

        const QString sub = base_ + QStringLiteral("/sub");
        QTreeWidgetItem* item = FindFolderItem(d.dirSentaku, sub);
        QVERIFY(item);
        d.dirSentaku->scrollToItem(item);
        QTest::mouseClick(d.dirSentaku->viewport(), Qt::LeftButton, {},
                          d.dirSentaku->visualItemRect(item).center());
        QCOMPARE(d.dirSentaku->currentItem(), item);
        QCOMPARE(d.OpenedFolder(), base_);
        QCOMPARE(Texts(d.filSentaku), (QStringList{"B.PLD", "c.pld"}));

        d.cmdOk->click();
        QCOMPARE(m.ProjectFolder, base_);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());

        // A double-click opens the folder: its path and files follow.
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        item = FindFolderItem(d.dirSentaku, sub);
        d.dirSentaku->scrollToItem(item);
        QTest::mouseDClick(d.dirSentaku->viewport(), Qt::LeftButton, {},
                           d.dirSentaku->visualItemRect(item).center());
        QCOMPARE(d.OpenedFolder(), sub);
        QCOMPARE(frmPelumo5::PathOf(d.dirSentaku->currentItem()), sub);
        QCOMPARE(d.dirSentaku->currentItem()->childCount(), 1);
        QCOMPARE(Texts(d.filSentaku), QStringList{"inner.pld"});
        d.cmdOk->click();
        QCOMPARE(m.ProjectFolder, sub);
    }

    void okOnRootOrFailedOpen_staysOpen()
    {
        Module1 m;
        FakePlatform p;
        m.ProjectFolder = QStringLiteral("/kept");
        frmPelumo5 d(m, p);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));

        QVERIFY(!d.OpenFolder(base_ + QStringLiteral("/missing")));
        QVERIFY(!d.OpenFolder(base_ + QStringLiteral("/a.txt")));
        QCOMPARE(d.OpenedFolder(), base_);

        // "/tmp/x/.." style paths are normalised; the root is refused.
        QVERIFY(d.OpenFolder(base_ + QStringLiteral("/sub/..")));
        QCOMPARE(d.OpenedFolder(), base_);
        QVERIFY(d.OpenFolder(QStringLiteral("/")));
        QCOMPARE(d.OpenedFolder(), QStringLiteral("/"));
        QCOMPARE(d.dirSentaku->currentItem(), d.dirSentaku->topLevelItem(0));
        d.cmdOk->click();
        QVERIFY(d.isVisible());
        QCOMPARE(m.ProjectFolder, QStringLiteral("/kept"));
        QCOMPARE(p.beeps, 0);
        QCOMPARE(Modal::Log(), QStringList());
    }

    void cancelAndFrameClose_putBackPreviousFolder()
    {
        Module1 m;
        FakePlatform p;
        m.ProjectFolder = base_;
        {
            frmPelumo5 d(m, p);
            d.show();
            d.Command1->click();
            QVERIFY(!d.isVisible());
            QCOMPARE(d.result(), int(QDialog::Rejected));
        }
        QCOMPARE(m.ProjectFolder, QString());  // no load has set PreviousFolder

        m.PreviousFolder = QStringLiteral("/earlier/project");
        {
            frmPelumo5 d(m, p);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            d.OpenFolder(base_ + QStringLiteral("/sub"));
            d.close();
            QVERIFY(!d.isVisible());
        }
        QCOMPARE(m.ProjectFolder, QStringLiteral("/earlier/project"));
    }

    void driveThatCannotBeOpened_reportsAndKeepsLists()
    {
        Module1 m;
        FakePlatform p;
        frmPelumo5 d(m, p);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QStringList files = Texts(d.filSentaku);
        // A volume that went away after the list was filled.
        const QString gone = base_ + QStringLiteral("/unmounted");
        d.drvSentaku->addItem(gone, gone);

        Modal::Expect(QStringLiteral("frmError"),
                      [](QWidget* w) { Modal::Click(w, QStringLiteral("Command1")); });
        d.drvSentaku->setCurrentIndex(d.drvSentaku->count() - 1);
        QCOMPARE(Modal::Log(), QStringList{QStringLiteral("frmError")});
        QCOMPARE(Modal::Texts(), QStringList{QStringLiteral("ディスクが準備されていません。")});
        QCOMPARE(p.beeps, 2);  // the chooser's and the message box's
        QCOMPARE(d.OpenedFolder(), base_);
        QCOMPARE(Texts(d.filSentaku), files);
        QCOMPARE(d.drvSentaku->currentData().toString(), gone);

        // Another drive still works.
        d.drvSentaku->setCurrentIndex(d.drvSentaku->findData(QStringLiteral("/")));
        QCOMPARE(d.OpenedFolder(), QStringLiteral("/"));
        QCOMPARE(p.beeps, 2);
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo5)
#include "tst_frmPelumo5.moc"
