// Damaged and hostile project folders (tests/corpus), each walked through the
// real top menu, list editor and event editor by a user who answers every
// question with yes: a new project is refused, the load says what it must,
// the list editor deletes items and saves, the event editor steps through
// every event of item 1, plays forward and saves, and nothing outside the
// project folder changes.
//
// The corpus folders are laid out as support/Corpus.h says.

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/Module1.h"
#include "core/ListDataFile.h"
#include "core/Records.h"
#include "forms/Picture.h"
#include "core/EventFile.h"
#include "core/EventRules.h"
#include "dialogs/frmList.h"
#include "eventedit/frmPelumo3.h"
#include "listedit/frmPelumo4.h"
#include "support/Corpus.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QRegularExpression>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>


namespace {

const QString kTaken = QStringLiteral("指定されたフォルダには、すでにデータ(listdata.pld)が存在します。\r\n"
                                      "これをロードするか、別のフォルダを選択してください。");
const QString kDelete1 = QStringLiteral("1番の項目を、その中のイベントごと削除します。いいですか？");

// Everything under `root` except `skip`: "path hash" of each file, "path ->
// target" of each link, "path <dir>" of each folder, in path order.
QStringList Snapshot(const QString& root, const QString& skip = {})
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!skip.isEmpty() && (path == skip || path.startsWith(skip + '/'))) continue;
        const QFileInfo fi = it.fileInfo();
        QString what = QStringLiteral("<dir>");
        if (fi.isSymLink()) {
            what = "-> " + fi.symLinkTarget();
        } else if (fi.isFile()) {
            QFile f(path);
            QCryptographicHash hash(QCryptographicHash::Sha1);
            what = f.open(QIODevice::ReadOnly) && hash.addData(&f) ? hash.result().toHex() : "<unreadable>";
        }
        out << path.mid(root.size()) + ' ' + what;
    }
    out.sort();
    return out;
}

// Answers every modal window as a user who says yes: the folder chooser
// opens `folder`, message boxes get their first button, the list editor runs
// `walk` and then OK. The texts of the message boxes are collected.
class Autopilot {
public:
    QString folder;
    QString walk;  // v ▼, u ← 削除 above, d ← 削除 below
    QStringList texts;
    bool listEditorOpened = false;
    bool eventEditorOpened = false;

    Autopilot() { Poll(); }
    ~Autopilot() { stopped_ = true; }

private:
    void Poll()
    {
        if (stopped_) return;
        QTimer::singleShot(10, [this] { Poll(); });  // before answering: answers open windows
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->property("answered").toBool() || !w->isVisible()) return;
        w->setProperty("answered", true);
        if (auto* chooser = qobject_cast<frmPelumo5*>(w)) {
            chooser->OpenFolder(folder);
            chooser->cmdOk->click();
        } else if (auto* picker = qobject_cast<frmList*>(w)) {
            picker->lstList->setCurrentRow(0);
            picker->Command1->click();
        } else if (auto* events = qobject_cast<frmPelumo3*>(w)) {
            eventEditorOpened = true;
            for (int i = 0; i < 1100 && events->cmdNext->isEnabled(); ++i) {
                const int before = events->lblNo->text().toInt();
                events->cmdNext->click();
                if (events->lblNo->text().toInt() == before) break;
            }
            events->cmdNext_Kasou->click();
            events->Command3->click();
        } else if (auto* editor = qobject_cast<frmPelumo4*>(w)) {
            listEditorOpened = true;
            for (const QChar c : walk) {
                QPushButton* b = c == 'v' ? editor->cmdNext : c == 'u' ? editor->cmdSakujo1 : editor->cmdSakujo2;
                b->click();
            }
            editor->cmdOk->click();
            if (editor->isVisible()) QTimer::singleShot(100, [this, editor] { Escape(editor); });
        } else {
            if (auto* label = w->findChild<QLabel*>("Label1")) texts << label->text();
            if (auto* b = w->findChild<QPushButton*>("Command1")) b->click();
        }
    }
    // OK failed and was reported: leave the editor as a test can.
    static void Escape(QDialog* editor) { editor->done(QDialog::Rejected); }

    bool stopped_ = false;
};

}  // namespace

class TestHostileFolders : public QObject {
    Q_OBJECT

private slots:
    void walk_data()
    {
        QTest::addColumn<QString>("walk");
        QTest::addColumn<QStringList>("messages");  // message boxes during load and walk, in order
        QTest::addColumn<QStringList>("kept");      // project files that must keep their bytes

        const QString unreadable = Records::ReadFailedMessage("LISTDATA.PLD");
        const QString repaired = Records::RepairedMessage("LISTDATA.PLD");
        const QStringList missing{EventRules::MissingEventFileMessage(), EventRules::ForcedEndMessage()};
        const QString rawName = QStringLiteral("x") + QChar(0xDC82) + ".pev";
        QTest::newRow("row0-and-row1000-name-a-picture") << "udvdu" << QStringList{kDelete1} << QStringList{"/photo.jpg"};
        QTest::newRow("items-name-other-files") << "vuvu" << QStringList{kDelete1, kDelete1}
                                                << QStringList{"/photo.jpg", "/3.pev"};
        QTest::newRow("names-with-raw-bytes") << "vu" << QStringList{kDelete1, EventRules::BadEventFileNameMessage(rawName)}
                                              << QStringList{"/x?.pev", "/x\xEF\xBF\xBD.pev"};
        QTest::newRow("linked-list-data") << "" << QStringList{} << QStringList{"/1.pev"};
        QTest::newRow("dangling-list-data") << "" << QStringList{unreadable} << QStringList{};
        QTest::newRow("linked-event-files") << "vu" << (QStringList{kDelete1} + missing) << QStringList{};
        QTest::newRow("list-data-over-the-limit") << "" << QStringList{unreadable} << QStringList{};
        QTest::newRow("quote-in-row-1004") << "" << QStringList{repaired} << QStringList{};
        QTest::newRow("unclosed-quote") << "v" << QStringList{repaired} << QStringList{"/2.pev"};
        QTest::newRow("folder-named-listdata") << "" << QStringList{Records::ReadFailedMessage("listdata.pld")} << QStringList{};
        QTest::newRow("truncated-list-data") << "" << QStringList{repaired} << QStringList{};
        QTest::newRow("lf-only-files") << "" << QStringList{} << QStringList{};
        QTest::newRow("missing-event-files") << "" << missing << QStringList{};
        QTest::newRow("names-leaving-the-folder") << "" << QStringList{EventRules::BadEventFileNameMessage("../outside.pev")}
                                                  << QStringList{};
        QTest::newRow("start-graphic-is-text") << "" << QStringList{Picture::UnreadableStartGraphicMessage()}
                                               << QStringList{"/start.jpg"};
        QTest::newRow("damaged-media") << "" << QStringList{EventRules::UndecodablePictureNotice()}
                                       << QStringList{"/zero.jpg", "/bad.wav", "/photo.jpg"};
        QTest::newRow("full-999-by-999") << "" << QStringList{} << QStringList{"/500.pev"};
    }

    void walk()
    {
        QFETCH(QString, walk);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, kept);
        QTemporaryDir tmp;
        const QString parent = QFileInfo(tmp.path()).canonicalFilePath();
        const QString project = Corpus::Prepare(PELUMO_CORPUS, QTest::currentDataTag(), parent);
        const auto outside = Snapshot(parent, project);
        const auto before = Snapshot(project);

        Module1 m;
        FakePlatform platform;
        frmPelumo1 top(m, platform);
        Autopilot pilot;
        pilot.folder = project;
        pilot.walk = walk;

        // Whatever a folder holds under the list data file's name, it is data.
        top.cmdSinki->click();
        QCOMPARE(top.lblTopText->text(), kTaken);
        QCOMPARE(Snapshot(project), before);

        top.cmdLoad->click();
        const bool loaded = !m.ProjectFolder.isEmpty();
        QCOMPARE(loaded, messages.isEmpty() || !messages[0].contains("を読み込めませんでした"));
        if (loaded) top.cmdlistSakusei->click();
        if (loaded) top.cmdSakusei->click();
        QCOMPARE(pilot.texts, messages);
        QCOMPARE(pilot.listEditorOpened, loaded);

        // Saved: a list data file in the folder itself that loads again.
        if (loaded) {
            const QFileInfo saved(project + "/LISTDATA.PLD");
            QVERIFY(saved.isFile() && !saved.isSymLink());
            Module1 again;
            again.ProjectFolder = project;
            const FileResult read = ListDataFile::Read(again);
            QVERIFY(read.ok && read.notice.isEmpty());
        }
        const QStringList after = Snapshot(project);
        for (const QString& name : kept) {
            const auto entry = [&](const QStringList& list) { return list.filter(QRegularExpression('^' + QRegularExpression::escape(name) + ' ')); };
            QCOMPARE(entry(after), entry(before));
        }
        QCOMPARE(Snapshot(parent, project), outside);
    }
};

PELUMO_GUI_TEST_MAIN(TestHostileFolders)
#include "tst_hostile_folders.moc"
