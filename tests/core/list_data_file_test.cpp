// The list data file: exact bytes, save and load, failed writes, damaged input.

#include "core/ListDataFile.h"
#include "core/Module1.h"
#include "core/SaveFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Bytes::Hex;
using Bytes::Record;

// The whole file: dash line, item rows 1.. as given, counter, start graphic and message.
QByteArray ExpectedFile(const QList<QByteArrayList>& items, const QByteArray& counter, const QByteArray& graphic,
                        const QByteArray& message)
{
    QByteArray out = Record(Hex("817C").repeated(10));
    for (int row = 1; row <= 1000; ++row)
        out += row <= items.size() ? Record(items[row - 1][0], items[row - 1][1]) : Record("");
    return out + Record(counter) + Record(graphic) + Record(message) + Record("");
}

class ListDataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.ProjectFolder = dir.path();
        m.PrepareNewList();
    }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir dir;
    Module1 m;
};

// Saved over a file of another letter case, loaded, saved again.
TEST_F(ListDataFileTest, ThreeItemsSaveLoadAndSaveAgainAreExact)
{
    ASSERT_TRUE(Bytes::Write(dir.filePath("listdata.pld"), "old"));
    const QString names[] = {"アルファ", "ベータ,ガンマ", "ガンマ"};
    for (int row = 1; row <= 3; ++row) {
        m.ListTable[row][1] = names[row - 1];
        m.ListTable[row][2] = QString("%1.pev").arg(row);
    }
    m.ListTable[1002][1] = "start.JPG";
    m.ListTable[1003][1] = QStringLiteral("始めの言葉");
    m.LastEventFileNumber = 3;
    ASSERT_TRUE(ListDataFile::Write(m).ok);
    EXPECT_EQ(m.ListTable[1001][1], "3");
    const QByteArray expected = ExpectedFile({{Hex("8341838B83748340"), "1.pev"}, {Hex("8378815B835E2C834B8393837D"), "2.pev"}, {Hex("834B8393837D"), "3.pev"}}, "3", "start.JPG", Hex("8E6E82DF82CC8CBE9774"));
    EXPECT_EQ(Files(), QStringList{"listdata.pld"});
    EXPECT_EQ(Bytes::Read(dir.filePath("listdata.pld")), expected);

    Module1 loaded;
    loaded.ProjectFolder = dir.path();
    ASSERT_TRUE(ListDataFile::Read(loaded).ok);
    loaded.LastEventFileNumber = ListDataFile::CounterAfterLoad(loaded);
    ASSERT_TRUE(ListDataFile::Write(loaded).ok);
    EXPECT_EQ(Bytes::Read(dir.filePath("listdata.pld")), expected);

    // Texts read together change one at a time, and each ends where it should.
    loaded.ListTable[1][1].append(QStringLiteral("改"));
    loaded.ListTable[2][1][0] = u'X';
    const auto terminated = [](const QString& text) { return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.utf16())); };
    QStringList texts;
    for (int row = 1; row <= 3; ++row) texts << terminated(loaded.ListTable[row][1]) + ':' + terminated(loaded.ListTable[row][2]);
    EXPECT_EQ(texts.join(' '), "アルファ改:1.pev Xータ,ガンマ:2.pev ガンマ:3.pev");
}

// A file-size limit makes the write of a full list fail half way, as a full
// disk would. The save runs in a child prepared as the program prepares
// itself, which must live to report the failure.
TEST_F(ListDataFileTest, FailedWritesLeaveFileAndTableAsTheyWere)
{
    const QByteArray previous = ExpectedFile({{"x", "1.pev"}}, "1", "", "");
    ASSERT_TRUE(Bytes::Write(dir.filePath("LISTDATA.PLD"), previous));
    for (int row = 1; row <= Module1::kLastItemRow; ++row) {
        m.ListTable[row][1] = QStringLiteral("項目%1").arg(row);
        m.ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SaveFile::PrepareProcess();
        const rlimit small{20000, 20000};  // the file needs about 30000 bytes
        setrlimit(RLIMIT_FSIZE, &small);
        const FileResult r = ListDataFile::Write(m);
        const bool told = r.message == QStringLiteral("「LISTDATA.PLD」を保存できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。");
        _exit(told && m.ListTable[1001][1].isEmpty() ? 0 : 1);  // the counter is not marked as saved
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_EQ(Files(), QStringList{"LISTDATA.PLD"});  // no temporary file left
    EXPECT_EQ(Bytes::Read(dir.filePath("LISTDATA.PLD")), previous);

    // Text that the file cannot hold: nothing is written, the character is named.
    m.ListTable[1][1] = QStringLiteral("한");
    EXPECT_TRUE(ListDataFile::Write(m).message.contains(QStringLiteral("「한」")));
    EXPECT_EQ(Bytes::Read(dir.filePath("LISTDATA.PLD")), previous);
}

// "name:file" of rows 0..3 loaded over an earlier project's table; "stale" when any of it is left.
std::string Loaded(const QByteArray& bytes, Module1& m)
{
    for (auto& row : m.ListTable) row[1] = row[2] = "stale";
    ListDataFile::Parse(bytes, m);
    QStringList rows;
    for (int row = 0; row < Module1::kRows; ++row) {
        if (m.ListTable[row][1] == "stale" || m.ListTable[row][2] == "stale") return "stale";
        if (row < 4) rows << m.ListTable[row][1] + ':' + m.ListTable[row][2];
    }
    return rows.join(' ').toStdString();
}

TEST_F(ListDataFileTest, DamagedFilesLoadAsFarAsTheyGoWithoutLeftovers)
{
    QByteArray tooLong;
    for (int i = 0; i < 2000; ++i) tooLong += Record("n" + QByteArray::number(i));
    const std::pair<QByteArray, const char*> cases[] = {
        {"", ": : : :"},
        {"\"a\",\"1.pev\"\r\n\"b\",\"2.p", "a:1.pev b:2.p : :"},                      // cut inside a record
        {"\"a\",\"1.pev\"\r\n\"only\"", "a:1.pev only: : :"},                         // a missing last field
        {"\"x\",\"\"\n  plain , 5.pev \n\"a,b\",\"c\"\n", "x: plain:5.pev a,b:c :"},  // LF, no quotes, blanks
        {"\"ab\"cd,\"e\"\r\n", "ab:e : : :"},                                         // stray text after a closing quote
        {tooLong, "n0: n1: n2: n3:"},
    };
    for (const auto& [bytes, rows] : cases) EXPECT_EQ(Loaded(bytes, m), rows) << bytes.left(40).toStdString();
    EXPECT_EQ(m.ListTable[1004][1] + m.ListTable[1005][1], "n1004");  // and no further
}

// Row 1001 unless outside 0..32767, raised to the highest N.pev that an item row names.
TEST_F(ListDataFileTest, CounterAfterLoad)
{
    const char* items[] = {"3.pev", "17.PEV", "99999.pev", "x.pev"};  // 99999 is beyond any counter
    for (int row = 1; row <= 4; ++row) m.ListTable[row][2] = items[row - 1];
    m.ListTable[999][2] = "1234.pev";   // the last item row counts too
    m.ListTable[1000][2] = "5000.pev";  // past the items: never
    for (const auto& [row1001, counter] :
         {std::pair{"20", 1234}, {"32767", 32767}, {"2", 1234}, {"", 1234}, {"abc", 1234}, {"40000", 1234}}) {
        m.ListTable[1001][1] = row1001;
        EXPECT_EQ(ListDataFile::CounterAfterLoad(m), counter) << row1001;
    }
}

// A path on the command line names a show by its folder or by its list data
// file, whatever that file's letter case; anything else names none.
TEST_F(ListDataFileTest, FolderNamedByAPath)
{
    const QString show = dir.filePath("show");
    ASSERT_TRUE(QDir().mkdir(show));
    ASSERT_TRUE(Bytes::Write(show + "/ListData.Pld", ""));
    ASSERT_TRUE(Bytes::Write(show + "/1.pev", ""));
    const std::pair<QString, QString> cases[] = {
        {show, show},
        {show + "/../show/", show},
        {show + "/ListData.Pld", show},
        {show + "/LISTDATA.PLD", ""},  // no file of that spelling
        {show + "/1.pev", ""},
        {dir.filePath("missing"), ""},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(ListDataFile::FolderNamedBy(path), folder) << path.toStdString();
}

}  // namespace
