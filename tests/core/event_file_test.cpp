// Event files: exact bytes, save and load, failures, nothing outside the project folder.

#include "core/EventFile.h"
#include "core/Module1.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

// Deleted event files go to the desktop's trash: a trash of the test's own.
QTemporaryDir g_home;
const bool g_trashAtHome = [] {
    qputenv("HOME", g_home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (g_home.path() + "/share").toUtf8());
    return QDir().mkpath(g_home.path() + "/share");
}();

QByteArray Line(const QByteArray& kind = {}, const QByteArray& param = {}) { return "\"" + kind + "\",\"" + param + "\"\r\n"; }

// Item 1, whose event file is 1.pev, of a project in root/project.
class EventFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.ProjectFolder = root.filePath("project");
        ASSERT_TRUE(QDir().mkdir(m.ProjectFolder));
        m.ItemIndex = 1, m.ListTable[1][2] = "1.pev";
    }
    QTemporaryDir root;
    Module1 m;
};

TEST_F(EventFileTest, CreatedAndWrittenFilesAreExactAndReadBack)
{
    ASSERT_TRUE(EventFile::Create(m.ProjectFolder, "1.pev").ok);
    EXPECT_EQ(Bytes::Read(m.ProjectPath("1.pev")), Line().repeated(1005));
    const QString script[3][2] = {{"テキスト表示", "ようこそ、ペルモへ, again"}, {"ウエイト", "1500"}, {"エンドレス", "（最初に戻る）"}};
    for (int row = 1; row <= 3; ++row) m.EventTable[row][0] = script[row - 1][0], m.EventTable[row][1] = script[row - 1][1];
    ASSERT_TRUE(EventFile::Write(m).ok);
    EXPECT_EQ(Bytes::Read(m.ProjectPath("1.pev")),
              Line() + Line(Bytes::Hex("8365834C83588367955C8EA6"), Bytes::Hex("82E682A482B182BB81418379838B838282D6") + ", again")
                  + Line(Bytes::Hex("8345834783438367"), "1500")
                  + Line(Bytes::Hex("834783938368838C8358"), Bytes::Hex("81698DC58F8982C996DF82E9816A")) + Line().repeated(1001));

    for (auto& row : m.EventTable) row[0] = row[1] = "another item's";
    ASSERT_TRUE(EventFile::Read(m).ok);
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col : {0, 1}) ASSERT_EQ(m.EventTable[row][col], row >= 1 && row <= 3 ? script[row - 1][col] : "") << row;
}

TEST_F(EventFileTest, NamesOutsideTheFolderAreNeverTouched)
{
    ASSERT_TRUE(Bytes::Write(root.filePath("outside.pev"), "keep"));
    for (const char* name : {"../outside.pev", "..\\outside.pev", "..", ""}) {
        m.ListTable[1][2] = name;
        EXPECT_FALSE(EventFile::Exists(m) || EventFile::Read(m).ok || EventFile::Write(m).ok) << name;
        EXPECT_FALSE(EventFile::Create(m.ProjectFolder, name).ok);
        EXPECT_TRUE(EventFile::Remove(m.ProjectFolder, name).ok);
    }
    EXPECT_EQ(Bytes::Read(root.filePath("outside.pev")), "keep");
    // An item that names the list data file never gets events written over it.
    m.ListTable[1][2] = "listdata.pld";
    EXPECT_FALSE(EventFile::HasPlainName(m) || EventFile::Write(m).ok);
}

TEST_F(EventFileTest, RemoveAndFailures)
{
    EXPECT_FALSE(EventFile::Exists(m) || EventFile::Read(m).ok);
    ASSERT_TRUE(EventFile::Create(m.ProjectFolder, "2.pev").ok);
    EXPECT_TRUE(EventFile::Remove(m.ProjectFolder, "2.pev").ok && !QFile::exists(m.ProjectPath("2.pev")));
    EXPECT_TRUE(EventFile::Remove(m.ProjectFolder, "2.pev").ok);  // already gone

    m.ProjectFolder += "/gone";
    EXPECT_EQ(EventFile::Create(m.ProjectFolder, "5.pev").message,
              "「5.pev」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。");
    EXPECT_TRUE(EventFile::Write(m).message.startsWith("「1.pev」を保存できませんでした。"));
}

}  // namespace
