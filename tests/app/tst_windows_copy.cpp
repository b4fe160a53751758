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
// as Windows gives them back. Reading an entry checks its CRC.
const char kUnpack[] = R"(
import os, sys, zipfile, struct, zlib
z = zipfile.ZipFile(sys.argv[1], metadata_encoding='cp932')
f = open(sys.argv[1], 'rb')
os.makedirs(sys.argv[2])
for i in z.infolist():
    raw = i.filename.encode('cp932')
    name = i.filename.encode('utf-8')
    upath = struct.pack('<HHBI', 0x7075, 5 + len(name), 1, zlib.crc32(raw)) + name
    f.seek(i.header_offset)
    flags, nlen, xlen = struct.unpack('<6xH18xHH', f.read(30))
    local = f.read(nlen) == raw and upath in f.read(xlen)
    print(i.filename, i.compress_type, (i.flag_bits | flags) & 0x800, upath in i.extra, local, sep='|')
    open(os.path.join(os.fsencode(sys.argv[2]), raw.split(b'/', 1)[1]), 'wb').write(z.read(i))
)";

// `program ARGS`: the exit code and what it wrote.
std::pair<int, QByteArray> Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput() + p.readAllStandardError()};
}

// "sha1  ./name" of every entry of `folder`, names as their bytes.
QByteArray Files(const QString& folder) { return Run("sh", {"-c", "cd \"$1\" && find . -mindepth 1 -exec sha1sum {} + 2>&1 | LC_ALL=C sort", "-", folder}).second; }

}  // namespace

class TestWindowsCopy : public WindowTest {
    Q_OBJECT

private slots:
    // Item 1 shows 写真.jpg (on disk 写真.JPG) and plays ソの音.wav (ソ ends in the byte of "\\"),
    // item 2 has no media; the start graphic 表紙.bmp is a picture that decodes.
    void packUnpackLoad()
    {
        QTemporaryDir tmp;
        const auto m = Shows::Make(tmp.filePath("紹介ショー"), {{"はじめに", {{EventKinds::kPicture, "写真.jpg"}, {EventKinds::kWavOnce, "ソの音.wav"}}}, {"終わり", {{EventKinds::kText, "またね"}}}},
                                   "表紙.bmp", {"写真.JPG"});
        const QString show = m->ProjectFolder;
        m->ListTable[2][1] = "終わり（未保存）";
        FakePlatform platform;
        frmPelumo4 editor(*m, platform);
        auto* pack = Control<QPushButton>(&editor, "cmdMatome");

        // Refused while files are missing, every problem told.
        Modal::Expect("frmError");
        pack->click();
        QCOMPARE(Modal::Texts().value(0).count("\n・"), 2);
        QVERIFY(Bytes::Write(m->ProjectPath("ソの音.wav"), "ソの音.wav"));
        QImage cover(16, 12, QImage::Format_RGB32);
        cover.fill(Qt::darkCyan);
        QVERIFY(cover.save(m->ProjectPath("表紙.bmp"), "BMP"));
        const QByteArray before = Files(show);

        // The zip where the user says, the list as the editor holds it; the show's folder does not change.
        const QString zip = tmp.filePath("show.zip");
        Modal::Expect("dlgZip", [zip](QWidget* w) {
            auto* dialog = static_cast<QFileDialog*>(w);
            QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(), "紹介ショー.zip");
            dialog->selectFile(zip);
            static_cast<QDialog*>(dialog)->accept();  // as the 保存 button does
        });
        Modal::Expect("frmError");
        pack->click();
        QCOMPARE(Modal::Texts().last(), "6 個のファイルを「" + zip + "」にまとめました。このファイルを Windows のパソコンにコピーし、展開してください。");
        QCOMPARE(Files(show), before);

        // The command line never replaces a file; 2 for a folder it cannot read.
        const QString pelumo = QCoreApplication::applicationDirPath() + "/../src/pelumo";
        QCOMPARE(Run(pelumo, {"--pack", show, zip}).first, 1);
        QCOMPARE(Run(pelumo, {"--pack", show, tmp.filePath("other.zip")}).first, 0);
        QCOMPARE(Run(pelumo, {"--pack", tmp.filePath("none"), tmp.filePath("x.zip")}).first, 2);

        // Unpacked as Windows does and loaded: "いいえ" changes nothing, "はい" gives every file back
        // byte for byte, the list as the editor held it.
        const QString back = tmp.filePath("back");
        // QTemporaryDir cannot remove names that are not UTF-8.
        const auto removeBack = qScopeGuard([&] { Run("rm", {"-rf", "--", back}); });
        QCOMPARE(QString::fromUtf8(Run("python3", {"-c", kUnpack, zip, back}).second),
                 "紹介ショー/LISTDATA.PLD|8|0|True|True\n紹介ショー/1.pev|8|0|True|True\n紹介ショー/2.pev|8|0|True|True\n"
                 "紹介ショー/表紙.bmp|0|0|True|True\n紹介ショー/写真.JPG|0|0|True|True\n紹介ショー/ソの音.wav|0|0|True|True\n");
        QVERIFY(ListDataFile::Write(*m).ok);
        const QByteArray unpacked = Files(back);
        Module1 loaded;
        frmPelumo1 top(loaded, platform);
        for (const bool yes : {false, true}) {
            Modal::Expect("frmPelumo5", [back](QWidget* w) {
                QVERIFY(static_cast<frmPelumo5*>(w)->OpenFolder(back));
                Modal::Click(w, "cmdOk");
            });
            Modal::Expect("frmYesNo", yes ? "Command1" : "Command2");
            if (!yes) Modal::Expect("frmError");  // the start graphic is not found
            Control<QPushButton>(&top, "cmdLoad")->click();
            QCOMPARE(Files(back), yes ? Files(show) : unpacked);
        }
        QCOMPARE(Modal::Texts().value(4), "Windows で付けられたままで名前が読めないファイルが 3 個あります。ショーで使えるように、次の名前に直しますか？\n"
                                          "「ソの音.wav」、「写真.JPG」、「表紙.bmp」");
    }
};

PELUMO_GUI_TEST_MAIN(TestWindowsCopy)
#include "tst_windows_copy.moc"
