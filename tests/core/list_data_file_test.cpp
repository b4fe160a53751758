// The list data file: exact bytes, save and load, damaged input, the counter
// after a load and the folder a path names. (Failed and killed saves are in
// save_faults_test.cpp.)

#include "core/ListDataFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

using Bytes::Hex;
using Bytes::Record;

class ListDataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.ProjectFolder = dir.path();
        m.PrepareNewList();
    }
    QTemporaryDir dir;
    Module1 m;
};

// Saved over a file of another letter case, loaded, saved again; then a text
// the file cannot hold writes nothing and names the character.
TEST_F(ListDataFileTest, SaveLoadAndSaveAgainAreExact)
{
    const QString path = dir.filePath("listdata.pld");
    ASSERT_TRUE(Bytes::Write(path, "old"));
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
    const QByteArray items = Record(Hex("8341838B83748340"), "1.pev") + Record(Hex("8378815B835E2C834B8393837D"), "2.pev") + Record(Hex("834B8393837D"), "3.pev");
    const QByteArray expected = Record(Hex("817C").repeated(10)) + items + Record().repeated(997) + Record("3") + Record("start.JPG") + Record(Hex("8E6E82DF82CC8CBE9774")) + Record();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"listdata.pld"});
    EXPECT_EQ(Bytes::Read(path), expected);

    Module1 loaded;
    loaded.ProjectFolder = dir.path();
    ASSERT_TRUE(ListDataFile::Read(loaded).ok);
    loaded.LastEventFileNumber = ListDataFile::CounterAfterLoad(loaded);
    ASSERT_TRUE(ListDataFile::Write(loaded).ok);
    EXPECT_EQ(Bytes::Read(path), expected);

    // Texts read together change one at a time, and each ends where it should.
    loaded.ListTable[1][1].append(QStringLiteral("改"));
    loaded.ListTable[2][1][0] = u'X';
    const auto terminated = [](const QString& text) { return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.utf16())); };
    QStringList texts;
    for (int row = 1; row <= 3; ++row) texts << terminated(loaded.ListTable[row][1]) + ':' + terminated(loaded.ListTable[row][2]);
    EXPECT_EQ(texts.join(' '), "アルファ改:1.pev Xータ,ガンマ:2.pev ガンマ:3.pev");

    loaded.ListTable[3][1] = QStringLiteral("한");
    EXPECT_TRUE(ListDataFile::Write(loaded).message.contains(QStringLiteral("「한」")));
    EXPECT_EQ(Bytes::Read(path), expected);
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
    const std::pair<QByteArray, const char*> cases[] = {
        {"", ": : : :"},
        {"\"a\",\"1.pev\"\r\n\"b\",\"2.p", "a:1.pev b:2.p : :"},                      // cut inside a record
        {"\"a\",\"1.pev\"\r\n\"only\"", "a:1.pev only: : :"},                         // a missing last field
        {"\"x\",\"\"\n  plain , 5.pev \n\"a,b\",\"c\"\n", "x: plain:5.pev a,b:c :"},  // LF, no quotes, blanks
        {"\"ab\"cd,\"e\"\r\n", "ab:e : : :"},                                         // stray text after a closing quote
    };
    for (const auto& [bytes, rows] : cases) EXPECT_EQ(Loaded(bytes, m), rows) << bytes.left(40).toStdString();
}

// Row 1001 unless outside 0..32767, raised to the highest N.pev that an item
// row names: the last item row counts, row 1000 never does.
TEST_F(ListDataFileTest, CounterAfterLoad)
{
    m.ListTable[999][2] = "1234.PEV";
    m.ListTable[1000][2] = "5000.pev";
    const std::pair<const char*, int> cases[] = {
        {"20", 1234},
        {"32767", 32767},
        {"40000", 1234},
        {"abc", 1234},
    };
    for (const auto& [row1001, counter] : cases) {
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
        {show + "/../show/", show},
        {show + "/../show/ListData.Pld", show},
        {show + "/LISTDATA.PLD", ""},  // no file of that spelling
        {show + "/1.pev", ""},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(ListDataFile::FolderNamedBy(path), folder) << path.toStdString();
}

}  // namespace
