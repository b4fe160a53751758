// Files brought in from outside the project, three ways: dropped on the event
// editor, through the picker's button with the desktop's file dialog
// answered, and on the command line.

#include "core/EventKinds.h"
#include "core/EventRules.h"
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

class TestImport : public WindowTest {
    Q_OBJECT

    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        // The file dialog starts in the user's own folders.
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        for (const char* own : {"Pictures", "Music"}) QDir(home.path()).mkpath(own);
    }

    void bringIn_data()
    {
        QTest::addColumn<QString>("way");  // "drop"; "--import"; or the kind chosen with 編集, whose picker brings the files in
        QTest::addColumn<int>("events");   // text events "1", "2", ... of the item, which has a.jpg and b.wav
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("rows");         // "KIND PARAMETER" from row `index` on, the current row marked "▶"
        QTest::addColumn<QStringList>("answers");  // the file dialog's folder and first filter, each message; the command's lines and exit code

        QTest::newRow("dropped: below the current row") << "drop" << 2 << 1 << QStringList{"写真.png", "音.wav", "絵.png"} << "テキスト表示 1|グラフィック表示 写真.jpg|Wav再生 音.wav|▶グラフィック表示 絵.jpg|テキスト表示 2" << QStringList{"3 個のファイルを取り込みました。\n・写真.png → 写真.jpg\n・音.wav → 音.wav\n・絵.png → 絵.jpg"};
        QTest::newRow("dropped on a new item: from its first row; a folder in name order; a refused file takes no row") << "drop" << 0 << 1 << QStringList{"束/d.wav", "束/空.jpg", "束/c.png"} << "グラフィック表示 c.jpg|▶Wav再生 d.wav|" << QStringList{"3 個のうち 2 個のファイルを取り込みました。\n・c.png → c.jpg\n・d.wav → d.wav\n・空.jpg：取り込めません。ファイルが空です（0 バイト）。"};
        QTest::newRow("dropped with room for one: the others are not brought in") << "drop" << 998 << 5 << QStringList{"写真.png", "音.wav"} << "テキスト表示 5|▶グラフィック表示 写真.jpg|テキスト表示 6" << QStringList{"1 個のファイルを取り込みました。\n・写真.png → 写真.jpg", EventRules::ListFullMessage()};
        QTest::newRow("dropped on a full list: nothing") << "drop" << 999 << 5 << QStringList{"写真.png"} << "▶テキスト表示 5|テキスト表示 6" << QStringList{EventRules::ListFullMessage()};
        QTest::newRow("picked sounds: a name the folder has, a list of the results, the first chosen") << kWavLoop << 0 << 1 << QStringList{"3.wav", "b.wav", "1.wav", "2.wav"} << "▶Wav繰り返し再生 3.wav|" << QStringList{"Music|取り込める音", "4 個のファイルを取り込みました。\n3.wav → 3.wav\nb.wav → b(2).wav\n1.wav → 1.wav\n2.wav → 2.wav"};
        QTest::newRow("picker's file dialog cancelled") << kPicture << 0 << 1 << QStringList{} << "▶|" << QStringList{"Pictures|取り込める絵"};
        QTest::newRow("command line, one refused") << "--import" << 0 << 1 << QStringList{"夕日.png", "空.jpg"} << "▶|" << QStringList{"from/夕日.png → 夕日.jpg\nfrom/空.jpg：取り込めません。ファイルが空です（0 バイト）。\n", "exit 1"};
        QTest::newRow("command line, all in") << "--import" << 0 << 1 << QStringList{"音.wav"} << "▶|" << QStringList{"from/音.wav → 音.wav\n", "exit 0"};
    }

    // Dropped files come in as events below the current row, as the lower insert adds one; picked, the
    // first that came in is chosen. Ctrl+Z takes the events back at once; the files stay.
    void bringIn()
    {
        QFETCH(QString, way);
        QFETCH(int, events);
        QFETCH(int, index);
        QFETCH(QStringList, files);
        QFETCH(QString, rows);
        QTemporaryDir tmp;
        QList<QStringList> texts;
        for (int i = 1; i <= events; ++i) texts << QStringList{kText, QString::number(i)};
        const auto m = Shows::Make(tmp.filePath("show"), {{"一", texts}}, "", {"a.jpg", "b.wav"});
        m->ItemIndex = 1;
        FakePlatform platform;
        frmPelumo3 editor(*m, platform);
        m->EventIndex = index;
        const EventRows before = m->EventTable;
        QStringList sources;
        for (const QString& name : files) sources << Source(tmp.filePath("from"), name);
        QStringList answers;
        Modal::AnswerOthers([&answers](QWidget* w) { answers << Shown(w); });

        if (way == "drop") {
            // A file manager drags a file in a folder ("束/a.png") as the folder.
            QList<QUrl> urls;
            for (const QString& name : files) {
                const QUrl top = QUrl::fromLocalFile(tmp.filePath("from/" + name.section('/', 0, 0)));
                if (!urls.contains(top)) urls << top;
            }
            QMimeData mime;
            mime.setUrls(urls);
            const QPointF at = editor.rect().center();
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&editor, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&editor, &drop);
            QApplication::processEvents();  // the import runs once the drop has ended
        } else if (way == "--import") {
            QProcess pelumo;
            pelumo.start(QCoreApplication::applicationDirPath() + "/../src/pelumo", QStringList{"--import", m->ProjectFolder} + sources);
            QVERIFY(pelumo.waitForFinished(60000));
            answers << QString::fromUtf8(pelumo.readAllStandardOutput()).remove(tmp.path() + '/') << "exit " + QString::number(pelumo.exitCode());
        } else {
            platform.chosenFiles = sources;
            Modal::Expect("form2", Modal::Enter(way));
            Modal::Expect("frmFilesentaku", [&](QWidget* picker) {
                Control<QPushButton>(picker, "cmdTorikomi")->click();
                answers.prepend(platform.fileDialogs.value(0).section(" (", 0, 0).remove(home.path() + '/'));
                Modal::Click(picker, "Command1");
            });
            Control<QPushButton>(&editor, "cmdHenshu")->click();
        }

        QStringList view;
        for (int row = index; row <= index + rows.count('|'); ++row) view << (row == m->EventIndex ? "▶" : "") + (m->EventTable[row][0] + ' ' + m->EventTable[row][1]).trimmed();
        QCOMPARE(view.join('|'), rows);
        QTEST(answers, "answers");
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(m->EventTable == before);
        QCOMPARE(m->EventIndex, index);
    }
};

PELUMO_GUI_TEST_MAIN(TestImport)
#include "tst_import.moc"
