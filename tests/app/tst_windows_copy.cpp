// A show packed for Windows from the list editor and from the command line,
// unpacked as Windows gives the files back (names as CP932 bytes), and loaded
// again through the top menu, which offers to put the names right.

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ListDataFile.h"
#include "listedit/frmPelumo4.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

namespace {

// Writes each file of a zip under its name encoded back to CP932, as
// Windows extracts a zip made there.
const char kUnpack[] = R"(
import os, sys, zipfile
z = zipfile.ZipFile(sys.argv[1], metadata_encoding='cp932')
for i in z.infolist():
    path = os.path.join(os.fsencode(sys.argv[2]), i.filename.encode('cp932'))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(z.read(i))
)";

// `program ARGS` without a display: the exit code and what it wrote.
std::pair<int, QByteArray> Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment().filter(QRegularExpression("^(?!DISPLAY=|QT_QPA_PLATFORM=)")));
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput() + p.readAllStandardError()};
}

std::pair<int, QString> Pelumo(const QStringList& args)
{
    const auto [exit, output] = Run(QCoreApplication::applicationDirPath() + "/../src/pelumo", args);
    return {exit, QString::fromUtf8(output).trimmed()};
}

// The show in `folder`: item 1 shows 写真.jpg and plays ソの音.wav, item 2
// only a text, the start graphic 表紙.bmp.
std::unique_ptr<Module1> MakeShow(const QString& folder)
{
    auto m = std::make_unique<Module1>();
    m->PrepareNewList();
    m->ProjectFolder = folder;
    QDir().mkpath(folder);
    QImage picture(16, 12, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(m->ProjectPath("写真.jpg"), "JPG");
    picture.save(m->ProjectPath("表紙.bmp"), "BMP");
    Bytes::Write(m->ProjectPath("ソの音.wav"), Bytes::Wav(1, 1, 8000, 8, Bytes::Chunk("data", "\x80\x80")));
    m->ListTable[1][1] = "はじめに";
    m->ListTable[1][2] = "1.pev";
    m->ListTable[2][1] = "終わり";
    m->ListTable[2][2] = "2.pev";
    m->ListTable[Module1::kStartGraphicRow][1] = "表紙.bmp";
    m->LastEventFileNumber = 2;
    m->EventTable[1][0] = EventKinds::kPicture;
    m->EventTable[1][1] = "写真.jpg";
    m->EventTable[2][0] = EventKinds::kWavOnce;
    m->EventTable[2][1] = "ソの音.wav";
    EventRows text{};
    text[1][0] = EventKinds::kText;
    text[1][1] = "またね";
    ListDataFile::Write(*m);
    EventFile::Write(folder, "1.pev", m->EventTable);
    EventFile::Write(folder, "2.pev", text);
    return m;
}

// "sha1  ./name" of every entry of `folder`, sorted, names as their bytes.
QByteArray Files(const QString& folder)
{
    return Run("sh", {"-c", "cd \"$1\" && find . -mindepth 1 -exec sha1sum {} + 2>&1 | LC_ALL=C sort", "-", folder}).second;
}

// Loads `folder` through the top menu's "ロード", answering the rename question with `yes`.
void Load(frmPelumo1& top, const QString& folder, bool yes)
{
    Modal::Expect("frmPelumo5", [folder](QWidget* w) {
        auto* chooser = static_cast<frmPelumo5*>(w);
        QVERIFY(chooser->OpenFolder(folder));
        chooser->cmdOk->click();
    });
    Modal::Expect("frmYesNo", yes ? "Command1" : "Command2");
    if (!yes) Modal::Expect("frmError");  // the start graphic is not found
    top.cmdLoad->click();
}

}  // namespace

class TestWindowsCopy : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // Refused while a file is missing; then the zip where the user says, the list as the editor
    // holds it; an existing zip is replaced only on yes. The show's folder does not change.
    void listEditor()
    {
        QTemporaryDir tmp;
        const std::unique_ptr<Module1> m = MakeShow(tmp.filePath("show"));
        m->ListTable[2][1] = "終わり（未保存）";
        const QByteArray before = Files(m->ProjectFolder);
        const QString zip = tmp.filePath("show.zip");
        FakePlatform platform;
        frmPelumo4 editor(*m, platform);
        QVERIFY(QFile::rename(m->ProjectPath("ソの音.wav"), tmp.filePath("away.wav")));
        QVERIFY(QFile::rename(m->ProjectPath("表紙.bmp"), tmp.filePath("away.bmp")));
        Modal::Expect("frmError", [](QWidget* w) {
            const auto* area = w->findChild<QScrollArea*>();
            QVERIFY(area && area->verticalScrollBar()->maximum() > 0);  // longer than the box: it scrolls
            Modal::Click(w, "Command1");
        });
        editor.cmdMatome->click();
        QCOMPARE(Modal::Texts().value(0),
                 "Windows用にまとめられません。次の問題を直してから、もう一度まとめてください。\n"
                 "・グラフィックファイル「表紙.bmp」がありません（スタートグラフィックで使用）。"
                 "ファイルをフォルダに戻すか、別のファイルを選び直してください。\n"
                 "・Wavファイル「ソの音.wav」がありません（1番の項目「はじめに」の2番のイベントで使用）。"
                 "ファイルをフォルダに戻すか、別のファイルを選び直してください。");
        QVERIFY(QFile::rename(tmp.filePath("away.wav"), m->ProjectPath("ソの音.wav")));
        QVERIFY(QFile::rename(tmp.filePath("away.bmp"), m->ProjectPath("表紙.bmp")));

        // The file dialog, then the replace question answered `replace` when the zip is there.
        const auto pack = [&](const QString& replace) {
            Modal::Expect("dlgZip", [zip](QWidget* w) {
                auto* dialog = static_cast<QFileDialog*>(w);
                QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(), "show.zip");
                dialog->selectFile(zip);
                static_cast<QDialog*>(dialog)->accept();  // as the 保存 button does
            });
            if (!replace.isEmpty()) Modal::Expect("frmYesNo", replace);
            if (replace != "Command2") Modal::Expect("frmError");
            editor.cmdMatome->click();
        };
        pack({});
        QVERIFY(Bytes::Write(zip, "older"));
        pack("Command2");
        QCOMPARE(Bytes::Read(zip), "older");
        pack("Command1");
        const QString done = "6 個のファイルを「" + zip + "」にまとめました。このファイルを Windows のパソコンにコピーし、展開してください。";
        const QString replace = "「show.zip」はすでにあります。新しい zip ファイルで置き換えますか？";
        QCOMPARE(Modal::Texts().filter(QRegularExpression(".")).mid(1), (QStringList{done, replace, replace, done}));
        QCOMPARE(Run("unzip", {"-p", zip, "show/LISTDATA.PLD"}).second, ListDataFile::Serialize(*m, m->LastEventFileNumber).bytes);
        QCOMPARE(Files(m->ProjectFolder), before);
        QVERIFY(editor.isEnabled());
    }

    // Packed on the command line, unpacked as Windows does, loaded: "いいえ" changes nothing,
    // "はい" gives every file back byte for byte. The command line's refusals and exit codes.
    void roundTrip()
    {
        QTemporaryDir tmp;
        const QString show = MakeShow(tmp.filePath("show"))->ProjectFolder;
        const QString zip = tmp.filePath("show.zip");
        QCOMPARE(Pelumo({"--pack", show, zip}).first, 0);
        QCOMPARE(Pelumo({"--pack", show, zip}), std::pair(1, "「" + zip + "」はすでにあります。別の名前を指定するか、先に移動してください。"));
        QCOMPARE(Pelumo({"--pack", tmp.filePath("none"), tmp.filePath("x.zip")}).first, 2);
        QCOMPARE(Pelumo({"--pack", show}).first, 2);
        QCOMPARE(Run("python3", {"-c", kUnpack, zip, tmp.filePath("back")}).first, 0);
        const QString back = tmp.filePath("back/show");
        // QTemporaryDir cannot remove names that are not UTF-8.
        const auto removeBack = qScopeGuard([&] { Run("rm", {"-rf", "--", tmp.filePath("back")}); });
        QCOMPARE(Files(back).count('\n'), 6);
        QVERIFY(Files(back) != Files(show));

        Module1 m;
        FakePlatform platform;
        frmPelumo1 top(m, platform);
        const QByteArray unpacked = Files(back);
        Load(top, back, false);
        QCOMPARE(Files(back), unpacked);
        Load(top, back, true);
        QCOMPARE(Files(back), Files(show));
        QCOMPARE(Modal::Texts().value(1), "Windows で付けられたままで名前が読めないファイルが 3 個あります。ショーで使えるように、次の名前に直しますか？\n"
                                          "「ソの音.wav」、「写真.jpg」、「表紙.bmp」");
        QCOMPARE(Modal::Texts().value(4), Modal::Texts().value(1));

        QVERIFY(QFile::remove(back + "/写真.jpg"));
        const auto [exit, refusal] = Pelumo({"--pack", back, tmp.filePath("y.zip")});
        QCOMPARE(exit, 1);
        QVERIFY(refusal.startsWith("Windows用にまとめられません。次の問題を直してから、もう一度まとめてください。\n・グラフィックファイル「写真.jpg」がありません"));
        QVERIFY(!QFile::exists(tmp.filePath("y.zip")));
    }
};

PELUMO_GUI_TEST_MAIN(TestWindowsCopy)
#include "tst_windows_copy.moc"
