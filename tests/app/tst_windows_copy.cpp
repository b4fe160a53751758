// A show packed for Windows from the list editor and from the command line,
// unpacked as Windows gives the files back (names as CP932 bytes), and loaded
// again through the top menu, which offers to put the names right.

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/EventKinds.h"
#include "listedit/frmPelumo4.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Shows.h"

namespace {

// Lists a zip as Japanese Windows reads it, the names as CP932, and per entry
// the method, bit 11 of both headers, and whether both headers carry a
// Unicode Path field for the name (the local header the same name bytes
// too); extracts its files into a folder under their names as CP932 bytes,
// as Windows gives them back.
const char kUnpack[] = R"(
import os, sys, zipfile, struct, zlib
def upath(extra, raw):
    while len(extra) >= 4:
        kind, size = struct.unpack('<HH', extra[:4])
        if kind == 0x7075 and extra[4] == 1 and struct.unpack('<I', extra[5:9])[0] == zlib.crc32(raw):
            return extra[9:4 + size].decode('utf-8')
        extra = extra[4 + size:]
z = zipfile.ZipFile(sys.argv[1], metadata_encoding='cp932')
f = open(sys.argv[1], 'rb')
os.makedirs(sys.argv[2])
for i in z.infolist():
    raw = i.filename.encode('cp932')
    f.seek(i.header_offset)
    flags, nlen, xlen = struct.unpack('<6xH18xHH', f.read(30))
    local = f.read(nlen) == raw and upath(f.read(xlen), raw) == i.filename
    print(i.filename, i.compress_type, (i.flag_bits | flags) & 0x800, upath(i.extra, raw) == i.filename, local, sep='|')
    open(os.path.join(os.fsencode(sys.argv[2]), raw.split(b'/', 1)[1]), 'wb').write(z.read(i))
)";

// `program ARGS` without a display: the exit code and what it wrote.
std::pair<int, QByteArray> Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment().filter(QRegularExpression("^(?!DISPLAY=|QT_QPA_PLATFORM=|LC_ALL=)"))
                     << "LC_ALL=C.UTF-8");
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput() + p.readAllStandardError()};
}

// Item 1 shows 写真.jpg (on disk 写真.JPG) and plays ソの音.wav (ソ ends in
// the byte of "\\"), item 2 has no media; the start graphic 表紙.bmp is a
// picture that decodes.
std::unique_ptr<Module1> MakeShow(const QString& folder)
{
    using namespace EventKinds;
    auto m = Shows::Make(folder, {{"はじめに", {{kPicture, "写真.jpg"}, {kWavOnce, "ソの音.wav"}}}, {"終わり", {{kText, "またね"}}}},
                         "表紙.bmp", {"写真.JPG", "ソの音.wav"});
    QImage cover(16, 12, QImage::Format_RGB32);
    cover.fill(Qt::darkCyan);
    cover.save(m->ProjectPath("表紙.bmp"), "BMP");
    return m;
}

// "sha1  ./name" of every entry of `folder`, names as their bytes.
QByteArray Files(const QString& folder)
{
    return Run("sh", {"-c", "cd \"$1\" && find . -mindepth 1 -exec sha1sum {} + 2>&1 | LC_ALL=C sort", "-", folder}).second;
}

// Loads `folder` through the top menu, answering the rename question with `yes`.
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

    // Refused while files are missing, every problem readable; then the zip where the user says,
    // with the list as the editor holds it. The show's folder does not change.
    void listEditor()
    {
        QTemporaryDir tmp;
        const std::unique_ptr<Module1> m = MakeShow(tmp.filePath("show"));
        m->ListTable[2][1] = "終わり（未保存）";
        const QByteArray before = Files(m->ProjectFolder);
        FakePlatform platform;
        frmPelumo4 editor(*m, platform);
        QVERIFY(QFile::rename(m->ProjectPath("ソの音.wav"), tmp.filePath("away.wav")));
        QVERIFY(QFile::rename(m->ProjectPath("表紙.bmp"), tmp.filePath("away.bmp")));
        Modal::Expect("frmError", [](QWidget* w) {
            const auto* area = w->findChild<QScrollArea*>();
            QVERIFY(area && area->verticalScrollBar()->maximum() > 0);  // longer than the box: it scrolls
        });
        editor.cmdMatome->click();
        QCOMPARE(Modal::Texts().value(0).count("\n・"), 2);
        QVERIFY(QFile::rename(tmp.filePath("away.wav"), m->ProjectPath("ソの音.wav")));
        QVERIFY(QFile::rename(tmp.filePath("away.bmp"), m->ProjectPath("表紙.bmp")));

        const QString zip = tmp.filePath("show.zip");
        Modal::Expect("dlgZip", [zip](QWidget* w) {
            auto* dialog = static_cast<QFileDialog*>(w);
            QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(), "show.zip");
            dialog->selectFile(zip);
            static_cast<QDialog*>(dialog)->accept();  // as the 保存 button does
        });
        Modal::Expect("frmError");
        editor.cmdMatome->click();
        QCOMPARE(Modal::Texts().last(), "6 個のファイルを「" + zip + "」にまとめました。このファイルを Windows のパソコンにコピーし、展開してください。");
        QCOMPARE(Run("unzip", {"-p", zip, "show/LISTDATA.PLD"}).second, ListDataFile::Serialize(*m, m->LastEventFileNumber).bytes);
        QCOMPARE(Files(m->ProjectFolder), before);
    }

    // Packed on the command line, as other readers see it, unpacked as Windows does, loaded:
    // "いいえ" changes nothing, "はい" gives every file back byte for byte. The command line's
    // exit codes.
    void roundTrip()
    {
        QTemporaryDir tmp;
        const QString show = MakeShow(tmp.filePath("紹介ショー"))->ProjectFolder;
        const QString zip = tmp.filePath("show.zip");
        const QString pelumo = QCoreApplication::applicationDirPath() + "/../src/pelumo";
        QCOMPARE(Run(pelumo, {"--pack", show, zip}).first, 0);
        QCOMPARE(Run(pelumo, {"--pack", show, zip}).first, 1);  // never replaced
        QCOMPARE(Run(pelumo, {"--pack", tmp.filePath("none"), tmp.filePath("x.zip")}).first, 2);
        const QString back = tmp.filePath("back");
        // QTemporaryDir cannot remove names that are not UTF-8.
        const auto removeBack = qScopeGuard([&] { Run("rm", {"-rf", "--", back}); });
        const QString listing = "紹介ショー/LISTDATA.PLD|8|0|True|True\n紹介ショー/1.pev|8|0|True|True\n紹介ショー/2.pev|8|0|True|True\n"
                                "紹介ショー/表紙.bmp|0|0|True|True\n紹介ショー/写真.JPG|0|0|True|True\n紹介ショー/ソの音.wav|0|0|True|True\n";
        QCOMPARE(QString::fromUtf8(Run("python3", {"-c", kUnpack, zip, back}).second), listing);
        QCOMPARE(QString::fromUtf8(Run("unzip", {"-Z1", zip}).second), QString(listing).remove(QRegularExpression("\\|[^\\n]*")));
        QCOMPARE(Run("unzip", {"-tq", zip}).second, "No errors detected in compressed data of " + zip.toUtf8() + ".\n");
        const QByteArray unpacked = Files(back);

        Module1 m;
        FakePlatform platform;
        frmPelumo1 top(m, platform);
        Load(top, back, false);
        QCOMPARE(Files(back), unpacked);
        Load(top, back, true);
        QCOMPARE(Files(back), Files(show));
        QCOMPARE(Modal::Texts().value(4), "Windows で付けられたままで名前が読めないファイルが 3 個あります。ショーで使えるように、次の名前に直しますか？\n"
                                          "「ソの音.wav」、「写真.JPG」、「表紙.bmp」");
    }
};

PELUMO_GUI_TEST_MAIN(TestWindowsCopy)
#include "tst_windows_copy.moc"
