// Saves of the list data file and an event file, in the folder or through a link, failing at each
// operation in turn, on a full disk, or killed at each operation: the file is always the whole old one
// or the whole new one, the user is told, the tables are as they were, and the next load removes what a
// killed save left behind, and nothing else.

#include "core/EventFile.h"
#include "core/ListDataFile.h"
#include "core/Records.h"
#include "core/SaveFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

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
