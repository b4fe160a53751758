// The list data file and the event files: exact bytes, save and load,
// damaged input, the counter after a load, the folder a path names, nothing
// outside the project folder, deleted files going to the desktop's trash; and
// saves that fail at each operation in turn, are killed at each or fill the
// disk.

#include "core/EventFile.h"
#include "core/ListDataFile.h"
#include "core/SaveFile.h"
#include "support/Shows.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Bytes::Hex;
using Bytes::Record;

// A new list in root/project; deleted files go to a trash of the test's own,
// in root/home.
class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(root.filePath("home")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("home/data")));  // not made yet
        ASSERT_TRUE(QDir().mkpath(folder + "/6.pev"));
        m.ProjectFolder = folder;
        m.PrepareNewList();
    }
    QString Path(const QString& name) const { return folder + '/' + name; }
    FileResult Read(const QString& name) { return EventFile::Read(folder, name, *rows); }
    FileResult Write(const QString& name) { return EventFile::Write(folder, name, *rows); }
    QTemporaryDir root;
    QString folder = root.filePath("project");
    Module1 m;
    std::unique_ptr<EventRows> rows = std::make_unique<EventRows>();
};

// A list saved over a file of another letter case, loaded, saved again; then a
// text the file cannot hold writes nothing and names the character. The folder
// as a command line names it, and the counter after a load.
TEST_F(DataFileTest, SaveLoadAndSaveAgainAreExact)
{
    const QString path = Path("listdata.pld");
    ASSERT_TRUE(Bytes::Write(path, "old"));
    const auto show = Shows::Make(folder, {{"アルファ", {}}, {"ベータ,ガンマ", {}}, {"ガンマ", {}}}, "start.JPG", {});
    show->ListTable[1003][1] = QStringLiteral("始めの言葉");
    show->LastEventFileNumber = 3;
    ASSERT_TRUE(ListDataFile::Write(*show).ok);
    EXPECT_EQ(show->ListTable[1001][1], "3");
    const QByteArray items = Record(Hex("8341838B83748340"), "1.pev") + Record(Hex("8378815B835E2C834B8393837D"), "2.pev") + Record(Hex("834B8393837D"), "3.pev");
    const QByteArray expected = Record(Hex("817C").repeated(10)) + items + Record().repeated(997) + Record("3") + Record("start.JPG") + Record(Hex("8E6E82DF82CC8CBE9774")) + Record();
    EXPECT_EQ(Bytes::Read(path), expected);

    Module1 loaded;
    loaded.ProjectFolder = folder;
    ASSERT_TRUE(ListDataFile::Read(loaded).ok);
    loaded.LastEventFileNumber = ListDataFile::CounterAfterLoad(loaded);
    ASSERT_TRUE(ListDataFile::Write(loaded).ok);
    EXPECT_EQ(Bytes::Read(path), expected);

    loaded.ListTable[3][1] = QStringLiteral("한");
    EXPECT_TRUE(ListDataFile::Write(loaded).message.contains(QStringLiteral("「한」")));
    EXPECT_EQ(Bytes::Read(path), expected);

    // A path on the command line names the show by its folder or by its list
    // data file as spelt; no other file names it.
    EXPECT_EQ(ListDataFile::FolderNamedBy(folder + "/../project/"), folder);
    EXPECT_EQ(ListDataFile::FolderNamedBy(folder + "/../project/listdata.pld"), folder);
    EXPECT_EQ(ListDataFile::FolderNamedBy(Path("LISTDATA.PLD")), "");
    EXPECT_EQ(ListDataFile::FolderNamedBy(Path("1.pev")), "");

    // The counter after a load: row 1001 unless outside 0..32767, raised to
    // the highest N.pev that an item row names; the last item row counts, row
    // 1000 never does.
    loaded.ListTable[999][2] = "1234.PEV";
    loaded.ListTable[1000][2] = "5000.pev";
    const std::pair<const char*, int> cases[] = {
        {"20", 1234},
        {"32767", 32767},
        {"40000", 1234},
    };
    for (const auto& [row1001, counter] : cases) {
        loaded.ListTable[1001][1] = row1001;
        EXPECT_EQ(ListDataFile::CounterAfterLoad(loaded), counter) << row1001;
    }
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

TEST_F(DataFileTest, DamagedFilesLoadAsFarAsTheyGoWithoutLeftovers)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {"", ": : : :"},
        {"\"a\",\"1.pev\"\r\n\"b\",\"2.p", "a:1.pev b:2.p : :"},                                         // cut inside a record
        {"\"a\",\"1.pev\"\r\n\"only\"", "a:1.pev only: : :"},                                            // a missing last field
        {"\"x\",\"\"\n  plain , 5.pev \n\"a,b\",\"c\"\n\"ab\"cd,\"e\"\n", "x: plain:5.pev a,b:c ab:e"},  // LF, no quotes, blanks, stray text after a closing quote
    };
    for (const auto& [bytes, rows] : cases) EXPECT_EQ(Loaded(bytes, m), rows) << bytes.left(40).toStdString();
}

TEST_F(DataFileTest, EventFilesCreatedWrittenAndReadBackAndNoOtherFileTouched)
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
    ASSERT_TRUE(Read("1.PEV").ok);  // any letter case
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col : {0, 1}) ASSERT_EQ((*rows)[row][col], row >= 1 && row <= 3 ? script[row - 1][col] : "") << row;

    // Records past the 1005 that a save keeps: empty ones are nothing, others are told once.
    const QByteArray written = Bytes::Read(Path("1.pev"));
    ASSERT_TRUE(Bytes::Write(Path("1.pev"), written + Record().repeated(3) + "\r\n"));
    EXPECT_EQ(Read("1.pev").notice, "");
    ASSERT_TRUE(Bytes::Write(Path("1.pev"), written + Record(Hex("8365834C83588367955C8EA6"), "lost").repeated(9045)));
    EXPECT_EQ(Read("1.pev").notice, "「1.pev」の一部が壊れていたため、読み取れない部分を取り除きました。保存すると、この内容で書き込まれます。");
    EXPECT_EQ((*rows)[3][1] + (*rows)[1005][1], script[2][1]);

    // Only a name of the editor's own form, "N.pev", is ever events: never a
    // name leaving the folder, nor the list data file that a hand-edited list
    // names. (Which names are of that form is in rules_test.cpp.)
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

// A file goes to the trash; a link goes, and what it points to stays; a
// folder under the name stays; where there is no trash, the file is deleted,
// and nothing lands in the current folder.
TEST_F(DataFileTest, DeletedFilesGoToTheTrashAndLinkTargetsStay)
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
    EXPECT_EQ(Bytes::Read(root.filePath("target.pev")), "not ours");
    EXPECT_FALSE(EventFile::Remove(folder, "6.pev").ok);
    EXPECT_TRUE(QFileInfo(Path("6.pev")).isDir());

    qputenv("XDG_DATA_HOME", QFile::encodeName(Path("7.pev/data")));  // no home trash can be made
    EXPECT_TRUE(EventFile::Remove(folder, "7.pev").ok);
    EXPECT_FALSE(QFile::exists(Path("7.pev")));
    EXPECT_EQ(QDir(root.filePath("cwd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

// A saved project with unsaved changes, what a good save writes and the
// operations it takes; the file is a link to one beside the folder when `linked`.
struct Project {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    bool eventFile;
    bool linked;
    QString name;       // the file being saved
    QByteArray before;  // its bytes before a good save
    QByteArray after;
    int operations = 0;  // those the fault hook is asked about

    Project(bool event, bool link) : eventFile(event), linked(link), name(event ? "1.pev" : "LISTDATA.PLD")
    {
        m->ProjectFolder = dir.path();
        m->PrepareNewList();
        m->ListTable[1][1] = QStringLiteral("案内");
        m->ListTable[1][2] = "1.pev";
        m->ItemIndex = 1;
        EXPECT_TRUE(Save().ok);
        before = Bytes::Read(Path());
        Restore();
        m->ListTable[2][1] = QStringLiteral("新しい項目");
        m->LastEventFileNumber = 7;
        m->EventTable[1][0] = QStringLiteral("ウエイト");
        m->EventTable[1][1] = "1500";
        const QString counter = m->ListTable[Module1::kCounterRow][1];
        SaveFile::SetFaultHook([this](const char*) { return ++operations < 0; });
        EXPECT_TRUE(Save().ok);
        SaveFile::SetFaultHook({});
        after = Bytes::Read(Path());
        Restore();
        m->ListTable[Module1::kCounterRow][1] = counter;  // as before that save
    }
    ~Project() { QFile::remove(Target()); }

    QString Path() const { return dir.filePath(name); }
    QString Target() const { return dir.path() + ".target"; }
    // Puts the old file back.
    void Restore()
    {
        QFile::remove(Path());
        Bytes::Write(linked ? Target() : Path(), before);
        if (linked) QFile::link(Target(), Path());
    }
    FileResult Save() { return eventFile ? EventFile::Write(m->ProjectFolder, EventFile::NameOf(*m), m->EventTable) : ListDataFile::Write(*m); }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot); }
};

}  // namespace

// Each project is saved with each operation failing in turn, then in a child
// killed at each operation in turn, and (operation 0) in a child on a full disk
// (a file-size limit), prepared as the program prepares itself, which lives to
// tell the user. The link stays as long as the old file does. The load after
// the kill removes what the save left, and nothing else: not the user's copies
// beside the file, made with their times kept after the last save.
TEST(SaveFaults, FailedKilledOrFullDiskSavesLoseNothing)
{
    for (const bool event : {false, true})
        for (const bool linked : {false, true}) {
            Project p(event, linked);
            ASSERT_GE(p.operations, 5);
            const QString counter = p.m->ListTable[Module1::kCounterRow][1];
            const QStringList copies{p.name + ".backup", p.name + ".orig123"};
            for (const QString& copy : copies) {
                ASSERT_TRUE(QFile::copy(p.Path(), p.dir.filePath(copy)));
                QFile file(p.dir.filePath(copy));
                ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                ASSERT_TRUE(file.setFileTime(QFileInfo(p.Path()).lastModified(), QFileDevice::FileModificationTime));
            }
            const QStringList expected{p.name, copies[0], copies[1]};
            int leftovers = 0;
            for (int n = 0; n <= p.operations; ++n) {
                SCOPED_TRACE(QString("%1 linked=%2 operation %3").arg(p.name).arg(linked).arg(n).toStdString());
                if (n > 0) {
                    p.Restore();
                    SaveFile::SetFaultHook([seen = 0, n](const char*) mutable { return ++seen == n; });
                    const FileResult result = p.Save();
                    SaveFile::SetFaultHook({});
                    EXPECT_EQ(result.ok ? QString("saved") : result.message, Records::SaveFailedMessage(p.name));
                    EXPECT_EQ(Bytes::Read(p.Path()), p.before);
                    EXPECT_EQ(p.Entries(), expected);                             // no temporary copy left behind
                    EXPECT_EQ(p.m->ListTable[Module1::kCounterRow][1], counter);  // the tables as they were
                }
                p.Restore();
                const pid_t child = fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    SaveFile::PrepareProcess();
                    const rlimit full{1000, 1000};
                    if (n == 0) setrlimit(RLIMIT_FSIZE, &full);
                    SaveFile::SetFaultHook([seen = 0, n](const char*) mutable { return ++seen == n && raise(SIGKILL); });
                    _exit(p.Save().message == Records::SaveFailedMessage(p.name) ? 0 : 1);
                }
                int status = 0;
                waitpid(child, &status, 0);
                EXPECT_TRUE(n > 0 || status == 0) << "wait status " << status;
                const QByteArray now = Bytes::Read(p.Path());
                ASSERT_TRUE(now == p.before || now == p.after);
                ASSERT_EQ(QFileInfo(p.Path()).isSymLink(), linked && now == p.before);
                ASSERT_TRUE(!linked || Bytes::Read(p.Target()) == p.before);
                leftovers += int(SaveFile::RemoveLeftovers(p.dir.path()).size());
                ASSERT_EQ(p.Entries(), expected);
            }
            EXPECT_GT(leftovers, 0);
            ASSERT_TRUE(p.Save().ok);  // and the next save writes the new file
            EXPECT_EQ(Bytes::Read(p.Path()), p.after);
        }
}
