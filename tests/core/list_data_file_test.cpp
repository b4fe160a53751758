// The list data file: exact bytes, save and load, failed writes, damaged input.

#include "core/Module1.h"
#include "core/ListDataFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <random>
#include <sys/resource.h>

namespace {

using Bytes::Hex;

const QByteArray kDashes = Hex("817C817C817C817C817C817C817C817C817C817C");
const QByteArray kStartMessage = Hex("8D8096DA82F0914982F182C582AD82BE82B382A28142");  // 項目を選んでください。

QByteArray Record(const QByteArray& a, const QByteArray& b)
{
    return "\"" + a + "\",\"" + b + "\"\r\n";
}

// The file of a project with the given item records (name, event file) and
// counter, start graphic and start message.
QByteArray ExpectedFile(const QList<std::pair<QByteArray, QByteArray>>& items, const QByteArray& counter,
                        const QByteArray& graphic = {}, const QByteArray& message = kStartMessage)
{
    QByteArray out = Record(kDashes, "");
    for (int row = 1; row <= 1000; ++row)
        out += row <= items.size() ? Record(items[row - 1].first, items[row - 1].second) : Record("", "");
    out += Record(counter, "");
    out += Record(graphic, "");
    out += Record(message, "");
    out += Record("", "");
    return out;
}

struct Project {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    Project() { m->ProjectFolder = dir.path(); }
    QString Path(const QString& name) const { return dir.filePath(name); }
};

void ExpectSameTables(const Module1& a, const Module1& b)
{
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col = 1; col <= 2; ++col)
            ASSERT_EQ(a.ListTable[row][col], b.ListTable[row][col]) << "row " << row << " col " << col;
}

TEST(ListDataFile, NewProjectSavedAtOnceIsExact)
{
    Project p;
    p.m->PrepareNewList();
    ASSERT_TRUE(ListDataFile::Write(*p.m).ok);
    const QByteArray bytes = Bytes::Read(p.Path("LISTDATA.PLD"));
    EXPECT_EQ(bytes, ExpectedFile({}, "0"));
    EXPECT_EQ(bytes.count("\r\n"), 1005);
    EXPECT_EQ(p.m->ListTable[1001][1], "0");
}

TEST(ListDataFile, ThreeItemsSaveLoadAndSaveAgainAreExact)
{
    Project p;
    p.m->PrepareNewList();
    p.m->ListTable[1][1] = QStringLiteral("アルファ");
    p.m->ListTable[1][2] = "1.pev";
    p.m->ListTable[2][1] = QStringLiteral("ベータ,ガンマ");  // a comma inside a name
    p.m->ListTable[2][2] = "2.pev";
    p.m->ListTable[3][1] = QStringLiteral("ガンマ");
    p.m->ListTable[3][2] = "3.pev";
    p.m->ListTable[1002][1] = "start.JPG";
    p.m->ListTable[1003][1] = QStringLiteral("始めの言葉");
    p.m->LastEventFileNumber = 3;
    ASSERT_TRUE(ListDataFile::Write(*p.m).ok);

    const QByteArray expected = ExpectedFile(
        {{Hex("8341838B83748340"), "1.pev"},
         {Hex("8378815B835E2C834B8393837D"), "2.pev"},
         {Hex("834B8393837D"), "3.pev"}},
        "3", "start.JPG", Hex("8E6E82DF82CC8CBE9774"));
    const QByteArray written = Bytes::Read(p.Path("LISTDATA.PLD"));
    EXPECT_EQ(written, expected);

    Module1 loaded;
    loaded.ProjectFolder = p.dir.path();
    ASSERT_TRUE(ListDataFile::Read(loaded).ok);
    ExpectSameTables(*p.m, loaded);
    EXPECT_EQ(ListDataFile::CounterAfterLoad(loaded), 3);
    loaded.LastEventFileNumber = ListDataFile::CounterAfterLoad(loaded);
    ASSERT_TRUE(ListDataFile::Write(loaded).ok);
    EXPECT_EQ(Bytes::Read(p.Path("LISTDATA.PLD")), expected);
}

TEST(ListDataFile, ExistingFileKeepsItsLetterCase)
{
    Project p;
    ASSERT_TRUE(Bytes::Write(p.Path("listdata.pld"), "old"));
    p.m->PrepareNewList();
    ASSERT_TRUE(ListDataFile::Write(*p.m).ok);
    EXPECT_EQ(Bytes::Read(p.Path("listdata.pld")), ExpectedFile({}, "0"));
    EXPECT_FALSE(QFile::exists(p.Path("LISTDATA.PLD")));
    EXPECT_EQ(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(ListDataFile, FailedWritesLeaveFileAndTableAsTheyWere)
{
    // A file-size limit makes the write fail half way (as a full disk would).
    {
        Project p;
        const QByteArray previous = ExpectedFile({{"x", "1.pev"}}, "1");
        ASSERT_TRUE(Bytes::Write(p.Path("LISTDATA.PLD"), previous));
        p.m->PrepareNewList();
        p.m->ListTable[1][1] = "y";
        p.m->ListTable[1][2] = "1.pev";
        p.m->LastEventFileNumber = 1;

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 4000;  // the file needs more than 7000 bytes
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const FileResult r = ListDataFile::Write(*p.m);
        setrlimit(RLIMIT_FSIZE, &old);

        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QStringLiteral("「LISTDATA.PLD」を保存できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。"));
        EXPECT_EQ(Bytes::Read(p.Path("LISTDATA.PLD")), previous);
        EXPECT_EQ(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // no temp file left
        EXPECT_EQ(p.m->ListTable[1][1], "y");
        EXPECT_EQ(p.m->ListTable[1001][1], "");
    }
    // Text that the file cannot hold: nothing is written, the reason is named.
    {
        Project p;
        ASSERT_TRUE(Bytes::Write(p.Path("LISTDATA.PLD"), "old"));
        p.m->PrepareNewList();
        p.m->ListTable[1][1] = QStringLiteral("한");
        const FileResult r = ListDataFile::Write(*p.m);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.contains(QStringLiteral("「한」")));
        EXPECT_EQ(Bytes::Read(p.Path("LISTDATA.PLD")), "old");
    }
}

// A loaded table holds only what the file holds: no row of an earlier project.
void LoadOverStaleTable(const QByteArray& bytes, Module1& m)
{
    for (int row = 0; row < Module1::kRows; ++row) {
        m.ListTable[row][1] = "stale";
        m.ListTable[row][2] = "stale.pev";
    }
    ListDataFile::Parse(bytes, m);
}

TEST(ListDataFile, DamagedFilesLoadWithoutLeftovers)
{
    auto m = std::make_unique<Module1>();

    LoadOverStaleTable("", *m);
    for (int row = 0; row < Module1::kRows; ++row) ASSERT_TRUE(m->ListTable[row][1].isEmpty());

    // Truncated in the middle of record 2: a missing last field reads as empty.
    LoadOverStaleTable("\"a\",\"1.pev\"\r\n\"b\",\"2.p", *m);
    EXPECT_EQ(m->ListTable[0][1], "a");
    EXPECT_EQ(m->ListTable[1][1], "b");
    EXPECT_EQ(m->ListTable[1][2], "2.p");
    EXPECT_EQ(m->ListTable[2][1], "");
    LoadOverStaleTable("\"a\",\"1.pev\"\r\n\"only\"", *m);
    EXPECT_EQ(m->ListTable[1][1], "only");
    EXPECT_EQ(m->ListTable[1][2], "");

    // LF-only line ends, unquoted fields, blanks, commas inside quotes.
    LoadOverStaleTable("\"x\",\"\"\n  plain , 5.pev \n\"a,b\",\"c\"\n", *m);
    EXPECT_EQ(m->ListTable[1][1], "plain");
    EXPECT_EQ(m->ListTable[1][2], "5.pev");
    EXPECT_EQ(m->ListTable[2][1], "a,b");
    EXPECT_EQ(m->ListTable[2][2], "c");
    EXPECT_EQ(m->ListTable[3][1], "");

    // Stray text after a closing quote is dropped up to the comma.
    LoadOverStaleTable("\"ab\"cd,\"e\"\r\n", *m);
    EXPECT_EQ(m->ListTable[0][1], "ab");
    EXPECT_EQ(m->ListTable[0][2], "e");

    // Too long: stops at row 1005.
    QByteArray longFile;
    for (int i = 0; i < 2000; ++i) longFile += "\"n" + QByteArray::number(i) + "\",\"\"\r\n";
    LoadOverStaleTable(longFile, *m);
    EXPECT_EQ(m->ListTable[1005][1], "n1005");

    // Bytes that are not CP932 survive a load and a save unchanged.
    const QByteArray odd = Hex("80A0FDFE81");  // never valid, and a lead byte at the end
    LoadOverStaleTable("\"" + odd + "\",\"\"\r\n", *m);
    m->ProjectFolder.clear();
    const Records::Image image = ListDataFile::Serialize(*m, 0);
    ASSERT_TRUE(image.result.ok);
    EXPECT_TRUE(image.bytes.startsWith("\"" + odd + "\",\"\"\r\n"));

    // Binary noise: no crash, nothing of the earlier table left.
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        QByteArray noise(1 + rng() % 20000, '\0');
        for (char& c : noise) c = static_cast<char>(rng());
        LoadOverStaleTable(noise, *m);
        for (int row = 0; row < Module1::kRows; ++row) ASSERT_NE(m->ListTable[row][1], "stale");
    }
}

TEST(ListDataFile, CounterAfterLoad)
{
    auto m = std::make_unique<Module1>();
    const auto counterFor = [&](const QString& row1001) {
        m->ListTable[1001][1] = row1001;
        return ListDataFile::CounterAfterLoad(*m);
    };
    EXPECT_EQ(counterFor("12"), 12);
    EXPECT_EQ(counterFor(""), 0);
    EXPECT_EQ(counterFor("abc"), 0);
    EXPECT_EQ(counterFor("40000"), 0);
    EXPECT_EQ(counterFor("-3"), 0);
    EXPECT_EQ(counterFor("32767"), 32767);

    // Raised to the highest N.pev that an item row names.
    m->ListTable[1][2] = "3.pev";
    m->ListTable[2][2] = "17.PEV";
    m->ListTable[5][2] = "99999.pev";  // beyond any counter: ignored
    m->ListTable[6][2] = "x.pev";
    EXPECT_EQ(counterFor("2"), 17);
    EXPECT_EQ(counterFor("20"), 20);
}

}  // namespace
