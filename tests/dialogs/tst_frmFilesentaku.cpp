// The file picker in start-graphic mode: the pictures it offers, where OK
// stores the choice, and that a frame close stores nothing.

#include "core/Module1.h"
#include "dialogs/frmFilesentaku.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

class TestFrmFilesentaku : public QObject {
    Q_OBJECT

private slots:
    void offersStorablePicturesAndStoresOnlyAChoiceConfirmedWithOk()
    {
        QTemporaryDir dir;
        for (const QString& name : {"b.JPG", "a.gif", "c.bmp", "d.wav", "e.txt", "q\"uote.gif", "€.bmp"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        Module1 m;
        FakePlatform platform;
        m.ProjectFolder = dir.path();
        m.CallerMode = Module1::kModeListEditor;
        m.ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("old.bmp");
        for (bool ok : {false, true}) {  // closed through the frame, then confirmed with OK
            frmFilesentaku dlg(m, platform);
            dlg.show();
            QStringList offered;
            for (int i = 0; i < dlg.File1->count(); ++i) offered << dlg.File1->item(i)->text();
            QCOMPARE(offered, (QStringList{"a.gif", "b.JPG", "c.bmp"}));
            dlg.Command1->click();  // nothing chosen yet: the window stays
            QVERIFY(dlg.isVisible());
            QCOMPARE(m.DialogResult, qint16(1));
            dlg.File1->setCurrentRow(1);
            if (ok) dlg.Command1->click(); else dlg.close();
            QVERIFY(!dlg.isVisible());
            QCOMPARE(m.DialogResult, qint16(ok ? 1 : 0));
            QCOMPARE(m.ListTable[Module1::kStartGraphicRow][1], QLatin1String(ok ? "b.JPG" : "old.bmp"));
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmFilesentaku)
#include "tst_frmFilesentaku.moc"
