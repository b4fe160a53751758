// A packed show as other readers see it: Python's zipfile reading the names
// as CP932, the headers read byte by byte, and Info-ZIP's unzip; and every
// way packing ends without a zip.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ListDataFile.h"
#include "core/Records.h"
#include "core/SaveFile.h"
#include "pack/ShowZip.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Per entry: name as CP932, method, bit 11 of both headers, whether the
// central and the local header carry a Unicode Path field for that name (the
// local header also the same name bytes), and the start of the SHA-1.
const char kListing[] = R"(
import sys, zipfile, struct, zlib, hashlib
def upath(extra, raw):
    while len(extra) >= 4:
        kind, size = struct.unpack('<HH', extra[:4])
        body, extra = extra[4:4 + size], extra[4 + size:]
        if kind == 0x7075 and body[0] == 1 and struct.unpack('<I', body[1:5])[0] == zlib.crc32(raw):
            return body[5:].decode('utf-8')
z = zipfile.ZipFile(sys.argv[1], metadata_encoding='cp932')
f = open(sys.argv[1], 'rb')
for i in z.infolist():
    raw = i.filename.encode('cp932')
    f.seek(i.header_offset)
    flags, nlen, xlen = struct.unpack('<6xH18xHH', f.read(30))
    name = f.read(nlen)
    extra = f.read(xlen)
    local = name == raw and upath(extra, raw) == i.filename
    sha = hashlib.sha1(z.read(i)).hexdigest()[:8]
    print(i.filename, i.compress_type, (i.flag_bits | flags) & 0x800, upath(i.extra, raw) == i.filename, local, sha, sep='|')
)";

QStringList Output(const QString& program, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
}

QString Sha(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(8);
}

// The show "紹介ショー": one item that shows 写真.jpg (on disk 写真.JPG) and
// plays ソ音.wav, the start graphic 表紙.bmp, and a picture no one uses.
struct Show {
    QTemporaryDir root;
    QString out = root.filePath("out");
    std::unique_ptr<Module1> m = std::make_unique<Module1>();

    Show()
    {
        m->PrepareNewList();
        m->ProjectFolder = root.filePath(QStringLiteral("紹介ショー"));
        QDir().mkpath(m->ProjectFolder);
        QDir().mkpath(out);
        m->ListTable[1][1] = QStringLiteral("一");
        m->ListTable[1][2] = QStringLiteral("1.pev");
        m->ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("表紙.bmp");
        m->EventTable[1][0] = EventKinds::kPicture;
        m->EventTable[1][1] = QStringLiteral("写真.jpg");
        m->EventTable[2][0] = EventKinds::kWavOnce;
        m->EventTable[2][1] = QStringLiteral("ソ音.wav");
        EXPECT_TRUE(ListDataFile::Write(*m).ok);
        EXPECT_TRUE(EventFile::Write(m->ProjectFolder, "1.pev", m->EventTable).ok);
        Bytes::Write(Path("写真.JPG"), QByteArray(3000, 'p'));
        Bytes::Write(Path("ソ音.wav"), Bytes::Wav(1, 1, 8000, 8, Bytes::Chunk("data", "abcd")));
        Bytes::Write(Path("表紙.bmp"), "BM cover");
        Bytes::Write(Path("未使用.gif"), "GIF unused");
    }
    QString Path(const char* name) const { return m->ProjectPath(QString::fromUtf8(name)); }
    QString Line(const char* name, int method) const
    {
        return QStringLiteral("紹介ショー/%1|%2|0|True|True|%3").arg(QString::fromUtf8(name)).arg(method).arg(Sha(Bytes::Read(Path(name))));
    }
    QStringList Out() const { return QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
};

}  // namespace

TEST(ShowZip, NamesMethodsAndFieldsAsOtherReadersSeeThem)
{
    Show show;
    const QString zip = show.out + "/show.zip";
    const ShowZip::Result packed = ShowZip::Write(ShowFiles::Collect(*show.m), zip);
    ASSERT_TRUE(packed.ok) << packed.message.toStdString();
    EXPECT_EQ(packed.files, 5);
    EXPECT_EQ(packed.message.toStdString(),
              "5 個のファイルを「" + zip.toStdString() + "」にまとめました。このファイルを Windows のパソコンにコピーし、展開してください。");
    const QStringList expected = {show.Line("LISTDATA.PLD", 8), show.Line("1.pev", 8), show.Line("表紙.bmp", 0),
                                  show.Line("写真.JPG", 0), show.Line("ソ音.wav", 0)};
    EXPECT_EQ(Output("python3", {"-c", kListing, zip}).join('\n').toStdString(), expected.join('\n').toStdString());
    QStringList names;
    for (const QString& line : expected) names << line.section('|', 0, 0);
    EXPECT_EQ(Output("unzip", {"-Z1", zip}).join('\n').toStdString(), names.join('\n').toStdString());
    EXPECT_EQ(Output("unzip", {"-tq", zip}).join('\n').toStdString(), "No errors detected in compressed data of " + zip.toStdString() + ".");
    EXPECT_EQ(show.Out(), QStringList{"show.zip"});
}

// The list as the editor holds it goes in place of the file.
TEST(ShowZip, ListFromMemory)
{
    Show show;
    const QString zip = show.out + "/show.zip";
    ASSERT_TRUE(QFile::remove(show.Path("LISTDATA.PLD")));
    ASSERT_TRUE(ShowZip::Write(ShowFiles::Collect(*show.m, QByteArray("edited list")), zip).ok);
    EXPECT_EQ(Output("python3", {"-c", kListing, zip}).value(0).toStdString(),
              QStringLiteral("紹介ショー/LISTDATA.PLD|8|0|True|True|%1").arg(Sha("edited list")).toStdString());
}

// Refused, stopped or failed: the message says why, and the folder of the
// zip holds what it held, an older zip of that name unchanged.
TEST(ShowZip, EndsWithoutAZip)
{
    const QString refused = "Windows用にまとめられません。次の問題を直してから、もう一度まとめてください。\n・"
                            "グラフィックファイル「写真.jpg」がありません（1番の項目「一」の1番のイベントで使用）。"
                            "ファイルをフォルダに戻すか、別のファイルを選び直してください。";
    const struct {
        std::function<void(Show&)> before;  // before the files are collected
        std::function<void(Show&)> after;   // before the zip is written
        QString target;                     // in the folder "out" unless it has a "/"
        ShowZip::Progress progress;
        QString message;
    } cases[] = {
        {[](Show& s) { QFile::remove(s.Path("写真.JPG")); }, {}, "show.zip", {}, refused},
        {{}, {}, "../紹介ショー/show.zip", {},
         "zip ファイルは、ショーのフォルダ「紹介ショー」の中には作れません。フォルダの外の場所を選んでください。"},
        {{}, [](Show& s) { QFile::remove(s.Path("ソ音.wav")); }, "show.zip", {}, Records::ReadFailedMessage("ソ音.wav")},
        {{}, {}, "show.zip", [](qint64 done, qint64) { return done < 100; },
         "まとめるのを中止しました。zip ファイルは作っていません。"},
        {{}, [](Show&) { SaveFile::SetFaultHook([](const char* op) { return QByteArray(op) == "rename"; }); }, "show.zip", {},
         Records::SaveFailedMessage("show.zip")},
        {{}, {}, "gone/show.zip", {}, Records::SaveFailedMessage("show.zip")},
    };
    for (const auto& c : cases) {
        Show show;
        ASSERT_TRUE(Bytes::Write(show.out + "/show.zip", "older zip"));
        if (c.before) c.before(show);
        const ShowFiles::Plan plan = ShowFiles::Collect(*show.m);
        if (c.after) c.after(show);
        const ShowZip::Result packed = ShowZip::Write(plan, show.out + '/' + c.target, c.progress);
        SaveFile::SetFaultHook({});
        EXPECT_FALSE(packed.ok);
        EXPECT_EQ(packed.message.toStdString(), c.message.toStdString());
        EXPECT_EQ(show.Out(), QStringList{"show.zip"});
        EXPECT_EQ(Bytes::Read(show.out + "/show.zip"), "older zip");
        EXPECT_FALSE(QFileInfo::exists(show.Path("show.zip")));
    }
}
