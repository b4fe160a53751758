// Saves of the list data file and an event file, in the folder or through a link, failing at each
// operation in turn, or killed at each and at moments spread over a save: the file is always the whole
// old one or the whole new one, the user is told, the tables are as they were, and the next load removes
// what a killed save left behind, and nothing else.

#include "core/EventFile.h"
#include "core/ListDataFile.h"
#include "core/Records.h"
#include "core/SaveFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <csignal>
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

const std::pair<bool, bool> kCases[] = {{false, false}, {true, false}, {false, true}, {true, true}};  // event file, linked

}  // namespace

TEST(SaveFaults, EveryOperationFailsInTurnAndNothingIsLost)
{
    for (const auto& [event, linked] : kCases) {
        const Project p(event, linked);
        ASSERT_GE(p.operations, 5);
        for (int n = 1; n <= p.operations; ++n) {
            SCOPED_TRACE(QString("%1 linked=%2 operation %3").arg(p.name).arg(linked).arg(n).toStdString());
            Project q(event, linked);
            SaveFile::SetFaultHook([seen = 0, n](const char*) mutable { return ++seen == n; });
            const FileResult result = q.Save();
            SaveFile::SetFaultHook({});
            EXPECT_EQ(result.ok ? QString("saved") : result.message, Records::SaveFailedMessage(q.name));
            EXPECT_EQ(Bytes::Read(q.Path()), q.before);
            EXPECT_EQ(q.Entries(), QStringList{q.name});                                                  // no temporary copy left behind
            EXPECT_EQ(q.m->ListTable[Module1::kCounterRow][1], p.m->ListTable[Module1::kCounterRow][1]);  // the tables as they were
            ASSERT_TRUE(q.Save().ok);                                                                     // and the next save writes the new file
            EXPECT_EQ(Bytes::Read(q.Path()), p.after);
        }
    }
}

// The link stays as long as the old file does. The load after the kill removes
// what the save left, and nothing else: not the user's copies beside the file,
// made with their times kept after the last save.
TEST(SaveFaults, KilledSavesLeaveOldOrNewAndOnlyTheirLeftoversAreRemoved)
{
    int leftovers = 0;
    for (const auto& [event, linked] : kCases) {
        Project p(event, linked);
        const QStringList copies{p.name + ".backup", p.name + ".orig123"};
        for (const QString& copy : copies) {
            ASSERT_TRUE(QFile::copy(p.Path(), p.dir.filePath(copy)));
            QFile file(p.dir.filePath(copy));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(QFileInfo(p.Path()).lastModified(), QFileDevice::FileModificationTime));
        }
        const QStringList expected{p.name, copies[0], copies[1]};
        for (int run = 1; run <= p.operations + 60; ++run) {
            p.Restore();
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {  // the first runs kill themselves at their operation
                if (run <= p.operations) SaveFile::SetFaultHook([seen = 0, run](const char*) mutable { return ++seen == run && raise(SIGKILL); });
                for (;;) p.Save();
            }
            if (run > p.operations) {
                usleep(run * 7919 % 3000);
                kill(child, SIGKILL);
            }
            waitpid(child, nullptr, 0);
            const QByteArray now = Bytes::Read(p.Path());
            ASSERT_TRUE(now == p.before || now == p.after) << p.name.toStdString() << " run " << run;
            ASSERT_EQ(QFileInfo(p.Path()).isSymLink(), linked && now == p.before) << " run " << run;
            ASSERT_TRUE(!linked || Bytes::Read(p.Target()) == p.before) << " run " << run;
            leftovers += int(SaveFile::RemoveLeftovers(p.dir.path()).size());
            ASSERT_EQ(p.Entries(), expected) << " run " << run;
        }
    }
    EXPECT_GT(leftovers, 0);
}
