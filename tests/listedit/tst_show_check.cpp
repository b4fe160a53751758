// The show check from the list editor's button, and from the command line on
// every corpus folder.

#include "core/ListDataFile.h"
#include "listedit/frmPelumo4.h"
#include "support/Bytes.h"
#include "support/Corpus.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString kNone = QStringLiteral("問題は見つかりませんでした。");
const QString kClean = QStringLiteral("lf-only-files");  // a corpus show without problems

}  // namespace

class TestShowCheck : public QObject {
    Q_OBJECT

private slots:
    void buttonListsFindingsAndOkCloses()
    {
        QTemporaryDir dir;
        auto m = std::make_unique<Module1>();
        m->ProjectFolder = Corpus::Prepare(PELUMO_CORPUS, kClean, dir.path());
        QVERIFY(ListDataFile::Read(*m).ok && !m->ListTable[1][1].isEmpty() && m->ListTable[2][1].isEmpty());
        FakePlatform platform;
        frmPelumo4 editor(*m, platform);
        editor.setWindowModality(Qt::NonModal);
        editor.show();
        QStringList shown;
        for (int pass = 0; pass < 2; ++pass) {
            Modal::Expect("frmTenken", [&](QWidget* w) {
                auto* list = w->findChild<QListWidget*>("lstKekka");
                for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
                Modal::Click(w, "cmdOk");
                QVERIFY(!w->isVisible());
            });
            editor.cmdTenken->click();
            m->ListTable[2][1] = "B", m->ListTable[2][2] = "20.pev";  // not on disk
            QVERIFY(Bytes::Write(m->ProjectPath("50.pev"), ""));
        }
        QCOMPARE(shown.replaceInStrings(QRegularExpression("(：[^。]*。).*"), "\\1").join('|'),
                 kNone + "|2番の項目「B」：イベントファイル「20.pev」がありません。|イベントファイル「50.pev」：どの項目にも使われていません。");
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");    // FOLDER: the corpus folder of the row's name
        QTest::addColumn<int>("exitCode");        // -1: 0 or 1, a report and no crash
        QTest::addColumn<QStringList>("starts");  // how the lines on standard output begin

        QTest::newRow("help") << QStringList{"--help"} << 0 << QStringList{"使い方:"};
        QTest::newRow("unknown option") << QStringList{"--chek", "FOLDER"} << 2 << QStringList{};
        QTest::newRow("no folder given") << QStringList{"--check"} << 2 << QStringList{};
        QTest::newRow("no such folder") << QStringList{"--check", "FOLDER/none"} << 2 << QStringList{};
        QTest::newRow("no list data") << QStringList{"--check", "FOLDER/.."} << 2 << QStringList{};
        const QMap<QString, QPair<int, QStringList>> expected{
            {kClean, {0, {kNone}}},
            {"linked-event-files", {1, {"2番の項目「二」：イベントファイル「2.pev」がありません。", "1番の項目「一」：イベントがないため"}}},
            {"dangling-list-data", {2, {}}},
            {"folder-named-listdata", {2, {}}},
            {"list-data-over-the-limit", {2, {}}}};
        for (const QString& name : QDir(PELUMO_CORPUS).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QTest::newRow(qPrintable(name)) << QStringList{"--check", "FOLDER"} << expected.value(name, {-1, {}}).first
                                            << expected.value(name).second;
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QStringList, starts);
        QTemporaryDir dir;
        const QString tag = QTest::currentDataTag();
        const QString folder = Corpus::Prepare(PELUMO_CORPUS, QDir(PELUMO_CORPUS).exists(tag) ? tag : kClean, dir.path());
        QProcess pelumo;  // no display at all
        pelumo.setEnvironment(QProcess::systemEnvironment().filter(QRegularExpression("^(?!DISPLAY=|QT_QPA_PLATFORM=)")));
        pelumo.start(QCoreApplication::applicationDirPath() + "/../src/pelumo", args.replaceInStrings("FOLDER", folder));
        QVERIFY(pelumo.waitForFinished(120000) && pelumo.exitStatus() == QProcess::NormalExit);
        const QStringList out = QString::fromUtf8(pelumo.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        const QString err = QString::fromUtf8(pelumo.readAllStandardError());
        if (exitCode < 0) QVERIFY2(pelumo.exitCode() == 0 || pelumo.exitCode() == 1, qPrintable(err));
        if (exitCode < 0) return;
        QCOMPARE(pelumo.exitCode(), exitCode);
        QCOMPARE(err.isEmpty(), exitCode != 2);  // the reason, or usage, on standard error
        if (args[0] == "--check") QCOMPARE(out.size(), starts.size());
        for (int i = 0; i < starts.size(); ++i) QVERIFY2(out[i].startsWith(starts[i]), qPrintable(out[i]));
    }
};

PELUMO_GUI_TEST_MAIN(TestShowCheck)
#include "tst_show_check.moc"
