// Files brought in from outside the project: the picker's button with the
// desktop's file dialog answered, files dropped on the event editor, and the
// command line.

#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "dialogs/frmFilesentaku.h"
#include "eventedit/frmPelumo3.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Shows.h"

using namespace EventKinds;

namespace {

// `name` made in `folder` by its extension: a PNG comes in as a JPEG, a wav
// the player plays is copied, an empty file is refused.
QString Source(const QString& folder, const QString& name)
{
    const QString path = folder + '/' + name;
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QByteArray wav = Bytes::Wav(1, 1, 8000, 8, Bytes::Chunk("data", QByteArray(800, '\x80')));
    const bool made = name.endsWith(".png") ? picture.save(path) : Bytes::Write(path, name.endsWith(".wav") ? wav : QByteArray());
    return made ? path : QString();
}

// What a message window says: the message box's text, or the list's lines.
QString Shown(QWidget* window)
{
    if (const auto* label = window->findChild<QLabel*>("Label1")) return label->text();
    QStringList lines;
    const auto* list = Control<QListWidget>(window, "lstKekka");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines.join('\n');
}

}  // namespace

class TestImport : public QObject {
    Q_OBJECT

    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        // The file dialog starts in the user's own folders.
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        QDir(home.path()).mkpath("Pictures");
        QDir(home.path()).mkpath("Music");
    }
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    void pickerButton_data()
    {
        QTest::addColumn<QString>("kind");  // the event's; empty: the start graphic
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("dialog");  // where the file dialog starts, and its first filter
        QTest::addColumn<QString>("form");    // the window of the message
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("listed");  // the selected file marked "▶"

        QTest::newRow("start graphic")
            << QString() << QStringList{"夕日.png", "空.jpg"} << "Pictures|取り込める絵"
            << "frmError"
            << "2 個のうち 1 個のファイルを取り込みました。\n・夕日.png → 夕日.jpg\n・空.jpg：取り込めません。ファイルが空です（0 バイト）。"
            << "a.jpg|▶夕日.jpg";
        QTest::newRow("sounds, a name the folder has, a list of the results")
            << kWavLoop << QStringList{"3.wav", "b.wav", "1.wav", "2.wav"} << "Music|取り込める音"
            << "frmTenken"
            << "4 個のファイルを取り込みました。\n3.wav → 3.wav\nb.wav → b(2).wav\n1.wav → 1.wav\n2.wav → 2.wav"
            << "1.wav|2.wav|▶3.wav|b(2).wav|b.wav";
        QTest::newRow("cancelled") << kPicture << QStringList{} << "Pictures|取り込める絵" << QString() << QString() << "a.jpg";
    }

    // The files chosen come in, the message says how, and the list shows them with the first selected.
    void pickerButton()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, chosen);
        QFETCH(QString, form);
        QTemporaryDir tmp;
        const auto m = Shows::Make(tmp.filePath("show"), {{"一", {{kText, "1"}}}}, "", {"a.jpg", "b.wav"});
        m->CallerMode = kind.isEmpty() ? Module1::kModeListEditor : Module1::kModeEventEditor;
        m->EventIndex = 1;
        m->EventTable[1][0] = kind;
        FakePlatform platform;
        for (const QString& name : chosen) platform.chosenFiles << Source(tmp.filePath("from"), name);
        frmFilesentaku picker(*m, platform);
        QString message;
        if (!form.isEmpty()) Modal::Expect(form, [&message](QWidget* w) { message = Shown(w); });

        Control<QPushButton>(&picker, "cmdTorikomi")->click();

        QFETCH(QString, dialog);
        QCOMPARE(platform.fileDialogs.value(0).section(" (", 0, 0), home.path() + '/' + dialog);
        QTEST(message, "message");
        const auto* list = Control<QListWidget>(&picker, "File1");
        QStringList listed;
        for (int i = 0; i < list->count(); ++i) listed << (list->item(i)->isSelected() ? "▶" : "") + list->item(i)->text();
        QTEST(listed.join('|'), "listed");
    }

    void drop_data()
    {
        QTest::addColumn<int>("events");  // text events "1", "2", ... of the item
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QString>("rows");  // "KIND PARAMETER" from row `index` on, the current row marked "▶"
        QTest::addColumn<QStringList>("messages");

        const QString full = EventRules::ListFullMessage();
        QTest::newRow("three files below the current row")
            << 2 << 1 << QStringList{"写真.png", "音.wav", "絵.png"}
            << "テキスト表示 1|グラフィック表示 写真.jpg|Wav再生 音.wav|▶グラフィック表示 絵.jpg|テキスト表示 2"
            << QStringList{"3 個のファイルを取り込みました。\n・写真.png → 写真.jpg\n・音.wav → 音.wav\n・絵.png → 絵.jpg"};
        QTest::newRow("a new item: from its first row; a folder in name order; a refused file takes no row")
            << 0 << 1 << QStringList{"束/b.wav", "束/空.jpg", "束/a.png"} << "グラフィック表示 a.jpg|▶Wav再生 b.wav|"
            << QStringList{"3 個のうち 2 個のファイルを取り込みました。\n・a.png → a.jpg\n・b.wav → b.wav\n・空.jpg：取り込めません。ファイルが空です（0 バイト）。"};
        QTest::newRow("room for one: the others are not brought in")
            << 998 << 5 << QStringList{"写真.png", "音.wav"} << "テキスト表示 5|▶グラフィック表示 写真.jpg|テキスト表示 6"
            << QStringList{"1 個のファイルを取り込みました。\n・写真.png → 写真.jpg", full};
        QTest::newRow("a full list: nothing") << 999 << 5 << QStringList{"写真.png"} << "▶テキスト表示 5|テキスト表示 6" << QStringList{full};
    }

    // Dropped files come in as events below the current row, as the lower insert adds one.
    void drop()
    {
        QFETCH(int, events);
        QFETCH(QStringList, dropped);
        QFETCH(QString, rows);
        QTemporaryDir tmp;
        QList<QStringList> texts;
        for (int i = 1; i <= events; ++i) texts << QStringList{kText, QString::number(i)};
        const auto m = Shows::Make(tmp.filePath("show"), {{"一", texts}}, "", {});
        m->ItemIndex = 1;
        FakePlatform platform;
        frmPelumo3 editor(*m, platform);
        QFETCH(int, index);
        m->EventIndex = index;
        Modal::AnswerOthers([](QWidget*) {});
        // A file manager drags a file in a folder ("束/a.png") as the folder.
        QList<QUrl> urls;
        for (const QString& name : dropped) {
            Source(tmp.filePath("from"), name);
            const QUrl top = QUrl::fromLocalFile(tmp.filePath("from/" + name.section('/', 0, 0)));
            if (!urls.contains(top)) urls << top;
        }
        QMimeData mime;
        mime.setUrls(urls);
        const QPointF at = editor.rect().center();

        const EventRows before = m->EventTable;
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &drop);
        QApplication::processEvents();  // the import runs once the drop has ended

        const auto shown = [&] {
            QStringList view;
            for (int row = index; row <= index + rows.count('|'); ++row) view << (row == m->EventIndex ? "▶" : "") + (m->EventTable[row][0] + ' ' + m->EventTable[row][1]).trimmed();
            return view.join('|');
        };
        QCOMPARE(shown(), rows);
        QTEST(Modal::Texts(), "messages");

        // Ctrl+Z takes the drop's events back at once; the files stay.
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(m->EventTable == before);
        QCOMPARE(m->EventIndex, index);
    }

    // One line per file; 0 when all came in, 1 when any did not.
    void commandLine()
    {
        QTemporaryDir tmp;
        const QString show = Shows::Make(tmp.filePath("show"), {}, "", {})->ProjectFolder;
        const QString from = tmp.filePath("from");
        const std::tuple<QStringList, int, QString> runs[] = {
            {{Source(from, "夕日.png"), Source(from, "空.jpg")}, 1, from + "/夕日.png → 夕日.jpg\n" + from + "/空.jpg：取り込めません。ファイルが空です（0 バイト）。\n"},
            {{Source(from, "音.wav")}, 0, from + "/音.wav → 音.wav\n"},
        };
        for (const auto& [files, exitCode, lines] : runs) {
            QProcess pelumo;
            pelumo.start(QCoreApplication::applicationDirPath() + "/../src/pelumo", QStringList{"--import", show} + files);
            QVERIFY(pelumo.waitForFinished(60000));
            QCOMPARE(pelumo.exitCode(), exitCode);
            QCOMPARE(QString::fromUtf8(pelumo.readAllStandardOutput()), lines);
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestImport)
#include "tst_import.moc"
