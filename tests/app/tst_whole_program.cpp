// The whole program: driven through its top menu as a user builds a show, and
// on each damaged or hostile folder of tests/corpus; its command line.

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/EventRules.h"
#include "core/ListDataFile.h"
#include "core/Records.h"
#include "forms/Picture.h"
#include "support/Bytes.h"
#include "support/Corpus.h"
#include "support/GuiTest.h"

namespace {

using Bytes::Hex;
using Bytes::Record;

// Everything under `root` but `skip`: "path hash", "path -> target" or "path <dir>", sorted.
QStringList Snapshot(const QString& root, const QString& skip = "-")
{
    QStringList out;
    for (QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        const QFileInfo fi = it.fileInfo();
        if (path != skip && !path.startsWith(skip + '/'))
            out << path.mid(root.size()) + ' ' + (fi.isSymLink() ? "-> " + fi.symLinkTarget() : !fi.isFile() ? QString("<dir>")
                                                                                                             : QCryptographicHash::hash(Bytes::Read(path), QCryptographicHash::Sha1).toHex());
    }
    out.sort();
    return out;
}

// Answers as a user who says yes: the chooser opens `folder`, the picker takes item 1, the list
// editor clicks the buttons of `walk` and OK, the event editor steps through every event, plays
// forward and returns; message boxes get their first button and go to `texts`.
Modal::Handler Autopilot(const QString& folder, const QStringList& walk, QStringList& texts)
{
    return [=, &texts](QWidget* w) {
        const QString form = w->objectName();
        if (form == "frmPelumo5") {
            static_cast<frmPelumo5*>(w)->OpenFolder(folder);
            Modal::Click(w, "cmdOk");
        } else if (form == "frmList") {
            Control<QListWidget>(w, "lstList")->setCurrentRow(0);
            Modal::Click(w, "Command1");
        } else if (form == "frmPelumo3") {
            for (QString at; at != Text(w, "lblNo"); Modal::Click(w, "cmdNext")) at = Text(w, "lblNo");
            Modal::Click(w, "cmdNext_Kasou");
            Modal::Click(w, "Command3");
        } else if (form == "frmPelumo4") {
            texts << "list editor";
            for (const QString& button : walk) Modal::Click(w, button);
            Modal::Click(w, "cmdOk");  // if it fails and says so, the editor is closed as a test can
        } else {
            texts << Text(w, "Label1");
            Modal::Click(w, "Command1");
        }
    };
}

// `pelumo ARGS` without a display: exit code (-1: a crash) and standard output lines.
std::pair<int, QStringList> Pelumo(const QStringList& args, QString* err = nullptr)
{
    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment().filter(QRegularExpression("^(?!DISPLAY=|QT_QPA_PLATFORM=)")));
    p.start(QCoreApplication::applicationDirPath() + "/../src/pelumo", args);
    const bool ended = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    if (err) *err = QString::fromUtf8(p.readAllStandardError());
    return {ended ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)};
}

}  // namespace

class TestWholeProgram : public WindowTest {
    Q_OBJECT

private slots:

    // From a folder of two pictures and two wav files: a new project with three items, start
    // graphic and message, and the events of item 1; the files compared byte for byte.
    void wholeShow()
    {
        QTemporaryDir dir;
        const QString folder = QFileInfo(dir.path()).canonicalFilePath();
        for (const char* picture : {"logo.bmp", "photo.jpg"}) QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(folder + '/' + picture));
        for (const char* sound : {"bgm.wav", "chime.wav"}) QVERIFY(Bytes::Write(folder + '/' + sound, {}));
        FakePlatform platform;
        Module1 m;
        frmPelumo1 top(m, platform);
        Modal::Expect("frmPelumo5", [folder](QWidget* w) {
            static_cast<frmPelumo5*>(w)->OpenFolder(folder);
            Modal::Click(w, "cmdOk");
        });
        Modal::Expect("frmPelumo4", [](QWidget* editor) {
            for (const char* name : {"はじめに", "会社案内", "製品,価格"}) {
                Modal::ClickOpening(editor, "cmdHenshu", "frmText1", Modal::Enter(name));
                Modal::Click(editor, "cmdNext");
            }
            Modal::ClickOpening(editor, "Command1", "frmText1", Modal::Enter("ようこそ！"));
            Modal::ClickOpening(editor, "Command2", "frmFilesentaku", Modal::Enter("logo.bmp"));
            Modal::Click(editor, "cmdOk");
        });
        Modal::Click(&top, "cmdSinki");

        // Item 1: every kind. The picker lists wav files only right after the start graphic was chosen.
        Modal::Expect("frmList", Modal::Enter("はじめに"));
        Modal::Expect("frmPelumo3", [](QWidget* w) {
            const struct {
                const char* kind;
                const char* form = nullptr;
                const char* value = nullptr;
            } steps[] = {
                {"テキスト表示", "frmText2", "ようこそ"},
                {"グラフィック表示", "frmFilesentaku", "photo.jpg"},
                {"Wav繰り返し再生", "frmFilesentaku", "bgm.wav"},
                {"ウエイト", "frmWait", "1500"},
                {"Wav停止"},
                {"Wav再生", "frmFilesentaku", "chime.wav"},
                {"テキスト消去"},
                {"エンドレス"},
            };
            for (const auto& step : steps) {
                Modal::Expect("form2", Modal::Enter(step.kind));
                if (step.form) Modal::Expect(step.form, [step](QWidget* d) {
                    QVERIFY(!QString(step.value).endsWith(".wav") || d->findChild<QListWidget*>()->count() == 2);
                    Modal::Enter(step.value)(d);
                });
                Modal::Click(w, "cmdHenshu");
                Modal::Click(w, "cmdNext");
            }
            Modal::Click(w, "Command3");
        });
        Modal::Click(&top, "cmdSakusei");

        // After the events, the start graphic picker lists pictures again.
        Modal::Expect("frmPelumo4", [](QWidget* editor) {
            Modal::ClickOpening(editor, "Command2", "frmFilesentaku", [](QWidget* d) { QCOMPARE(d->findChild<QListWidget*>()->count(), 2); });
            Modal::Click(editor, "cmdOk");
        });
        Modal::Click(&top, "cmdlistSakusei");
        QCOMPARE(Bytes::Read(folder + "/LISTDATA.PLD"),
                 Record(Hex("817c").repeated(10)) + Record(Hex("82cd82b682df82c9"), "1.pev")                  // －…, はじめに
                     + Record(Hex("89ef8ed088c493e0"), "2.pev") + Record(Hex("90bb95692c89bf8a69"), "3.pev")  // 会社案内, 製品,価格
                     + Record().repeated(997) + Record("3") + Record("logo.bmp") + Record(Hex("82e682a482b182bb8149")) + Record());
        QCOMPARE(Bytes::Read(folder + "/1.pev"),
                 Record() + Record(Hex("8365834c83588367955c8ea6"), Hex("82e682a482b182bb"))     // テキスト表示 ようこそ
                     + Record(Hex("834f8389837483428362834e955c8ea6"), "photo.jpg")              // グラフィック表示
                     + Record(Hex("5761768c4a82e895d482b58dc490b6"), "bgm.wav")                  // Wav繰り返し再生
                     + Record(Hex("8345834783438367"), "1500") + Record(Hex("57617692e28e7e"))   // ウエイト, Wav停止
                     + Record(Hex("5761768dc490b6"), "chime.wav")                                // Wav再生
                     + Record(Hex("8365834c835883678fc18b8e"))                                   // テキスト消去
                     + Record(Hex("834783938368838c8358"), Hex("81698dc58f8982c996df82e9816a"))  // エンドレス（最初に戻る）
                     + Record().repeated(996));
    }

    // Each corpus folder: the show check ends as it should; a new project there is refused; the
    // load says what it must; the walk deletes items and saves; nothing outside the folder changes.
    void hostileFolders_data()
    {
        QTest::addColumn<QString>("walk");          // the list editor's buttons clicked before OK
        QTest::addColumn<QStringList>("messages");  // message boxes during load and walk, in order
        QTest::addColumn<QStringList>("kept");      // project files that must keep their bytes
        QTest::addColumn<int>("check");             // the exit code of pelumo --check

        const QString unreadable = Records::ReadFailedMessage("LISTDATA.PLD");
        const QString repaired = Records::RepairedMessage("LISTDATA.PLD");
        const QString delete1 = QStringLiteral("1番の項目を、その中のイベントごと削除します。いいですか？");
        const QStringList missing{EventRules::MissingEventFileMessage(), EventRules::ForcedEndMessage()};
        const QString rawName = QStringLiteral("x") + QChar(0xDC82) + ".pev";
        QTest::newRow("row0-and-row1000-name-a-picture") << "cmdSakujo1 cmdSakujo2 cmdNext cmdSakujo2 cmdSakujo1" << QStringList{delete1} << QStringList{"/photo.jpg"} << 1;
        QTest::newRow("items-name-other-files") << "cmdNext cmdSakujo1 cmdNext cmdSakujo1" << QStringList{delete1, delete1} << QStringList{"/photo.jpg", "/3.pev"} << 1;
        QTest::newRow("names-with-raw-bytes") << "cmdNext cmdSakujo1" << QStringList{delete1, EventRules::BadEventFileNameMessage(rawName)} << QStringList{"/x?.pev", "/x\xEF\xBF\xBD.pev"} << 1;
        QTest::newRow("linked-list-data") << "" << QStringList{} << QStringList{"/1.pev"} << 1;
        QTest::newRow("dangling-list-data") << "" << QStringList{unreadable} << QStringList{} << 2;
        QTest::newRow("linked-event-files") << "cmdNext cmdSakujo1" << (QStringList{delete1} + missing) << QStringList{} << 1;
        QTest::newRow("list-data-over-the-limit") << "" << QStringList{unreadable} << QStringList{} << 2;
        QTest::newRow("quote-in-row-1004") << "" << QStringList{repaired} << QStringList{} << 1;
        QTest::newRow("unclosed-quote") << "cmdNext" << QStringList{repaired} << QStringList{"/2.pev"} << 1;
        QTest::newRow("folder-named-listdata") << "" << QStringList{Records::ReadFailedMessage("listdata.pld")} << QStringList{} << 2;
        QTest::newRow("lf-only-files") << "" << QStringList{} << QStringList{} << 0;
        QTest::newRow("missing-event-files") << "" << missing << QStringList{} << 1;
        QTest::newRow("names-leaving-the-folder") << "" << QStringList{EventRules::BadEventFileNameMessage("../outside.pev")} << QStringList{} << 1;
        QTest::newRow("start-graphic-is-text") << "" << QStringList{Picture::UnreadableStartGraphicMessage()} << QStringList{"/start.jpg"} << 1;
        QTest::newRow("damaged-media") << "" << QStringList{EventRules::UndecodablePictureNotice()} << QStringList{"/zero.jpg", "/bad.wav", "/photo.jpg"} << 1;
        QTest::newRow("full-999-by-999") << "" << QStringList{} << QStringList{"/500.pev"} << 0;
    }

    void hostileFolders()
    {
        QFETCH(QString, walk);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, kept);
        QTemporaryDir tmp;
        const QString parent = QFileInfo(tmp.path()).canonicalFilePath();
        const QString project = Corpus::Prepare(PELUMO_CORPUS, QTest::currentDataTag(), parent);
        const auto outside = Snapshot(parent, project);
        const auto before = Snapshot(project);
        QFETCH(int, check);
        const auto [exit, findings] = Pelumo({"--check", project});
        QCOMPARE(exit, check);
        QCOMPARE(findings == QStringList{"問題は見つかりませんでした。"}, check == 0);
        Module1 m;
        FakePlatform platform;
        frmPelumo1 top(m, platform);
        QStringList texts;
        Modal::AnswerOthers(Autopilot(project, walk.split(' ', Qt::SkipEmptyParts), texts));

        // Whatever a folder holds under the list data file's name, it is data.
        Modal::Click(&top, "cmdSinki");
        QCOMPARE(Text(&top, "lblTopText"), "指定されたフォルダには、すでにデータ(listdata.pld)が存在します。\r\nこれをロードするか、別のフォルダを選択してください。");
        QCOMPARE(Snapshot(project), before);

        Modal::Click(&top, "cmdLoad");
        const bool loaded = !m.ProjectFolder.isEmpty();
        QCOMPARE(loaded, check != 2);
        if (loaded) {
            Modal::Click(&top, "cmdlistSakusei");
            Modal::Click(&top, "cmdSakusei");
            // Saved: a list data file in the folder itself that loads again.
            QVERIFY(QFileInfo(project + "/LISTDATA.PLD").isFile() && !QFileInfo(project + "/LISTDATA.PLD").isSymLink());
            Module1 again;
            again.ProjectFolder = project;
            const FileResult read = ListDataFile::Read(again);
            QVERIFY2(read.ok && read.notice.isEmpty(), qPrintable(read.message + read.notice));
        }
        Modal::Reset();
        QCOMPARE(texts.removeAll("list editor"), qsizetype(loaded));
        QCOMPARE(texts, messages);
        QCOMPARE(platform.endRequests, int(messages.endsWith(EventRules::ForcedEndMessage())));
        const QStringList after = Snapshot(project);
        for (const QString& name : kept) {
            const QRegularExpression entry('^' + QRegularExpression::escape(name) + ' ');
            QCOMPARE(after.filter(entry), before.filter(entry));
        }
        QCOMPARE(Snapshot(parent, project), outside);
    }

    // Usage; refusals with the reason on standard error; the findings of a show, one a line.
    void commandLine()
    {
        QTemporaryDir dir;
        const QString show = Corpus::Prepare(PELUMO_CORPUS, "linked-event-files", dir.path());
        const std::tuple<QStringList, int, QStringList> runs[] = {
            {{"--help"}, 0, {"使い方:"}},
            {{"--chek", show}, 2, {}},
            {{"--check"}, 2, {}},
            {{"--check", dir.path()}, 2, {}},
            {{"--check", show}, 1, {"2番の項目「二」：イベントファイル「2.pev」がありません。", "1番の項目「一」：イベントがないため"}},
        };
        for (const auto& [args, exitCode, starts] : runs) {
            QString err;
            auto [exit, out] = Pelumo(args, &err);
            QCOMPARE(exit, exitCode);
            QCOMPARE(err.isEmpty(), exitCode != 2);
            for (int i = 0; i < out.size(); ++i) out[i].truncate(starts.value(i).size());
            QCOMPARE(exitCode ? out : out.mid(0, 1), starts);
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestWholeProgram)
#include "tst_whole_program.moc"
