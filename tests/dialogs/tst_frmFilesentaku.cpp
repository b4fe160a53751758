// The file picker: which files it offers in each mode, where OK stores the
// choice, and what a frame close leaves behind.

#include "app/Module1.h"
#include "dialogs/frmFilesentaku.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

class TestFrmFilesentaku : public QObject {
    Q_OBJECT

    std::unique_ptr<Module1> m_;
    FakePlatform platform_;
    std::unique_ptr<QTemporaryDir> dir_;

    void Touch(const QString& name)
    {
        QFile f(QDir(dir_->path()).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

    static QStringList Listed(const frmFilesentaku& dlg)
    {
        QStringList names;
        for (int i = 0; i < dlg.File1->count(); ++i) names << dlg.File1->item(i)->text();
        return names;
    }

    static void ClickFile(frmFilesentaku& dlg, const QString& name)
    {
        const auto found = dlg.File1->findItems(name, Qt::MatchExactly);
        QVERIFY(found.size() == 1);
        QTest::mouseClick(dlg.File1->viewport(), Qt::LeftButton, {},
                          dlg.File1->visualItemRect(found.first()).center());
    }

private slots:
    void init()
    {
        Modal::Reset();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        for (const char* name : {"b.JPG", "a.gif", "c.bmp", "d.wav", "E.WAV", "e.txt", "listdata.pld",
                                 "q\"uote.gif", ".hidden.gif"})
            Touch(QString::fromUtf8(name));
        Touch(QStringLiteral("€.bmp"));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("folder.gif")));
        m_ = std::make_unique<Module1>();
        m_->PrepareNewList();
        m_->ProjectFolder = dir_->path();
        m_->ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("old.bmp");
        m_->EventIndex = 2;
        m_->EventTable[2][0] = QStringLiteral("Wav再生");
        m_->EventTable[2][1] = QStringLiteral("old.wav");
    }

    void startGraphicModeOffersStorablePictures()
    {
        m_->CallerMode = Module1::kModeListEditor;
        frmFilesentaku dlg(*m_, platform_);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ファイル選択"));
        QCOMPARE(dlg.Label1->text(), dir_->path());
        QCOMPARE(Listed(dlg), (QStringList{"a.gif", "b.JPG", "c.bmp"}));

        // OK without a choice: DialogResult 1, the window stays, nothing stored.
        m_->DialogResult = 0;
        dlg.Command1->click();
        QVERIFY(dlg.isVisible());
        QCOMPARE(m_->DialogResult, qint16(1));
        QCOMPARE(m_->ListTable[Module1::kStartGraphicRow][1], QStringLiteral("old.bmp"));

        ClickFile(dlg, QStringLiteral("b.JPG"));
        dlg.Command1->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_->ListTable[Module1::kStartGraphicRow][1], QStringLiteral("b.JPG"));
        QCOMPARE(m_->EventTable[2][1], QStringLiteral("old.wav"));
    }

    void eventModeListsByTheKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("picture") << QStringLiteral("グラフィック表示") << QStringList{"a.gif", "b.JPG", "c.bmp"};
        QTest::newRow("once") << QStringLiteral("Wav再生") << QStringList{"d.wav", "E.WAV"};
        QTest::newRow("loop") << QStringLiteral("Wav繰り返し再生") << QStringList{"d.wav", "E.WAV"};
    }

    void eventModeListsByTheKind()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, expected);
        m_->CallerMode = Module1::kModeEventEditor;
        m_->EventTable[2][0] = kind;
        frmFilesentaku dlg(*m_, platform_);
        dlg.show();
        QCOMPARE(Listed(dlg), expected);
        ClickFile(dlg, expected.last());
        dlg.Command1->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_->EventTable[2][1], expected.last());
        QCOMPARE(m_->EventTable[2][0], kind);
        QCOMPARE(m_->ListTable[Module1::kStartGraphicRow][1], QStringLiteral("old.bmp"));
    }

    void frameCloseStoresNothing()
    {
        m_->CallerMode = Module1::kModeListEditor;
        m_->DialogResult = 1;
        frmFilesentaku dlg(*m_, platform_);
        dlg.show();
        ClickFile(dlg, QStringLiteral("a.gif"));
        dlg.close();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_->DialogResult, qint16(0));
        QCOMPARE(m_->ListTable[Module1::kStartGraphicRow][1], QStringLiteral("old.bmp"));
    }

    void emptyFolderKeepsTheWindowOpen()
    {
        QTemporaryDir empty;
        m_->ProjectFolder = empty.path();
        m_->CallerMode = Module1::kModeListEditor;
        frmFilesentaku dlg(*m_, platform_);
        dlg.show();
        QCOMPARE(dlg.File1->count(), 0);
        dlg.Command1->click();
        QVERIFY(dlg.isVisible());
        QCOMPARE(m_->ListTable[Module1::kStartGraphicRow][1], QStringLiteral("old.bmp"));
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmFilesentaku)
#include "tst_frmFilesentaku.moc"
