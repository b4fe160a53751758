// Event files: exact bytes, save and load, failures, nothing outside the
// project folder, and deleted files going to the desktop's trash.

#include "core/EventFile.h"
#include "core/Module1.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

using Bytes::Hex;
using Bytes::Record;

// A project in root/project; deleted files go to a trash of the test's own,
// in root/home.
class EventFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(root.filePath("home")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("home/data")));  // not made yet
        ASSERT_TRUE(QDir().mkpath(folder + "/6.pev"));
    }
    QString Path(const QString& name) const { return folder + '/' + name; }
    FileResult Read(const QString& name) { return EventFile::Read(folder, name, *rows); }
    FileResult Write(const QString& name) { return EventFile::Write(folder, name, *rows); }
    QTemporaryDir root;
    QString folder = root.filePath("project");
    std::unique_ptr<EventRows> rows = std::make_unique<EventRows>();
};

TEST_F(EventFileTest, CreatedAndWrittenFilesAreExactAndReadBack)
{
    ASSERT_TRUE(EventFile::Create(folder, "1.pev").ok);
    EXPECT_EQ(Bytes::Read(Path("1.pev")), Record().repeated(1005));
    const QString script[3][2] = {{"テキスト表示", "ようこそ、ペルモへ, again"}, {"ウエイト", "1500"}, {"エンドレス", "（最初に戻る）"}};
    for (int row = 1; row <= 3; ++row) {
        (*rows)[row][0] = script[row - 1][0];
        (*rows)[row][1] = script[row - 1][1];
    }
    ASSERT_TRUE(Write("1.pev").ok);
    EXPECT_EQ(Bytes::Read(Path("1.pev")),
              Record() + Record(Hex("8365834C83588367955C8EA6"), Hex("82E682A482B182BB81418379838B838282D6") + ", again")
                  + Record(Hex("8345834783438367"), "1500")
                  + Record(Hex("834783938368838C8358"), Hex("81698DC58F8982C996DF82E9816A")) + Record().repeated(1001));

    for (int row = 0; row < Module1::kRows; ++row) (*rows)[row][0] = (*rows)[row][1] = "another item's";
    const FileResult read = Read("1.PEV");  // any letter case
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.notice, "");
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col : {0, 1}) ASSERT_EQ((*rows)[row][col], row >= 1 && row <= 3 ? script[row - 1][col] : "") << row;

    // Records past the 1005 that a save keeps: empty ones are nothing, others are told once.
    const QByteArray written = Bytes::Read(Path("1.pev"));
    ASSERT_TRUE(Bytes::Write(Path("1.pev"), written + Record().repeated(3) + "\r\n"));
    EXPECT_EQ(Read("1.pev").notice, "");
    ASSERT_TRUE(Bytes::Write(Path("1.pev"), written + Record(Hex("8365834C83588367955C8EA6"), "lost").repeated(9045)));
    EXPECT_EQ(Read("1.pev").notice, "「1.pev」の一部が壊れていたため、読み取れない部分を取り除きました。保存すると、この内容で書き込まれます。");
    EXPECT_EQ((*rows)[3][1] + (*rows)[1005][1], script[2][1]);
}

// Only a name of the editor's own form, "N.pev", is ever events: never a name
// leaving the folder, nor the list data file that a hand-edited list names.
// (Which names are of that form is in list_rules_test.cpp.)
TEST_F(EventFileTest, OnlyEventFileNamesAreTouched)
{
    ASSERT_TRUE(Bytes::Write(root.filePath("outside.pev"), "keep"));
    ASSERT_TRUE(Bytes::Write(Path("listdata.pld"), "keep"));
    for (const char* name : {"../outside.pev", "..\\outside.pev", "..", "", "listdata.pld"})
        EXPECT_FALSE(EventFile::Exists(folder, name) || Read(name).ok || Write(name).ok) << name;
    for (const char* name : {"../outside.pev", "..\\outside.pev", ".."}) {
        EXPECT_FALSE(EventFile::Create(folder, name).ok) << name;
        EXPECT_TRUE(EventFile::Remove(folder, name).ok) << name;
    }
    EXPECT_EQ(Bytes::Read(root.filePath("outside.pev")) + Bytes::Read(Path("listdata.pld")), "keepkeep");
    EXPECT_EQ(EventFile::Create(folder + "/gone", "5.pev").message,
              "「5.pev」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。");
}

// A file goes to the trash; a link goes itself and what it points to stays; a
// folder under the name stays; where there is no trash, the file is deleted,
// and nothing lands in the current folder.
TEST_F(EventFileTest, DeletedFilesGoToTheTrashAndLinkTargetsStay)
{
    const QString trash = root.filePath("home/data/Trash");
    ASSERT_TRUE(QDir(root.path()).mkdir("cwd"));
    ASSERT_TRUE(QDir::setCurrent(root.filePath("cwd")));
    ASSERT_TRUE(Bytes::Write(Path("3.pev"), "item 3"));
    ASSERT_TRUE(Bytes::Write(Path("7.pev"), "item 7"));
    ASSERT_TRUE(Bytes::Write(root.filePath("target.pev"), "not ours"));
    ASSERT_TRUE(QFile::link("../target.pev", Path("4.pev")));
    ASSERT_TRUE(QFile::link("../gone.pev", Path("5.pev")));
    for (const char* name : {"3.pev", "4.pev", "5.pev", "8.pev"}) {
        EXPECT_TRUE(EventFile::Remove(folder, name).ok) << name;  // 8.pev: already gone
        EXPECT_FALSE(QFileInfo(Path(name)).isSymLink() || QFile::exists(Path(name))) << name;
    }
    EXPECT_EQ(Bytes::Read(trash + "/files/3.pev"), "item 3");
    EXPECT_TRUE(QFileInfo::exists(trash + "/info/3.pev.trashinfo"));
    EXPECT_TRUE(QFileInfo(trash + "/files/4.pev").isSymLink());
    EXPECT_EQ(Bytes::Read(root.filePath("target.pev")), "not ours");
    EXPECT_FALSE(QFileInfo(trash + "/files/5.pev").isSymLink());  // a dangling link is deleted
    EXPECT_FALSE(EventFile::Remove(folder, "6.pev").ok);
    EXPECT_TRUE(QFileInfo(Path("6.pev")).isDir());

    qputenv("XDG_DATA_HOME", QFile::encodeName(Path("7.pev/data")));  // no home trash can be made
    EXPECT_TRUE(EventFile::Remove(folder, "7.pev").ok);
    EXPECT_FALSE(QFile::exists(Path("7.pev")));
    EXPECT_EQ(QDir(root.filePath("cwd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

}  // namespace
