// Saves that fail or are killed part way: every operation of saving the list
// data file and an event file is made to fail in turn, and a child process
// that saves is killed at every operation and at random moments. Each time
// the file on disk is the complete old one or the complete new one, the user
// is told, the tables are as they were, and a later load removes what the
// interrupted save left behind, and nothing else.

#include "core/EventFile.h"
#include "core/ListDataFile.h"
#include "core/ProjectFiles.h"
#include "core/Records.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <memory>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct Project {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    bool eventFile;
    QString name;  // the file being saved
    QByteArray before, after;  // its bytes before and after a good save

    Project(bool event, bool linked) : eventFile(event), name(event ? "1.pev" : "LISTDATA.PLD")
    {
        m->ProjectFolder = dir.path();
        m->PrepareNewList();
        m->ListTable[1][1] = QStringLiteral("案内");
        m->ListTable[1][2] = "1.pev";
        m->ItemIndex = 1;
        EXPECT_TRUE(Save().ok);
        before = Bytes::Read(Path(name));
        if (linked) {  // the folder's entry is a link to a file beside the folder
            QFile::rename(Path(name), Target());
            Relink();
        }
        m->ListTable[2][1] = QStringLiteral("新しい項目");
        m->EventTable[1][0] = QStringLiteral("ウエイト");
        m->EventTable[1][1] = "1500";
        m->LastEventFileNumber = 7;
    }
    ~Project() { QFile::remove(Target()); }

    QString Target() const { return dir.path() + "/../" + QFileInfo(dir.path()).fileName() + ".target"; }
    // Makes the folder's entry a link to Target() again, after a save replaced it.
    void Relink()
    {
        QFile::remove(Path(name));
        QFile::link(Target(), Path(name));
    }

    QString Path(const QString& n) const { return dir.filePath(n); }
    FileResult Save() { return eventFile ? EventFile::Write(*m) : ListDataFile::Write(*m); }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot); }
    // Puts the old file back (through the link, if there is one).
    void Restore() { Bytes::Write(QFileInfo(Path(name)).isSymLink() ? Target() : Path(name), before); }
};

struct Case {
    bool eventFile, linked;
};
const Case kCases[] = {{false, false}, {true, false}, {false, true}, {true, true}};

int CountOperations(Project& p)
{
    int count = 0;
    Records::SetWriteFaultHook([&](const char*) { ++count; return false; });
    EXPECT_TRUE(p.Save().ok);
    Records::SetWriteFaultHook({});
    p.after = Bytes::Read(p.Path(p.name));
    if (QFileInfo(p.Target()).exists()) p.Relink();
    return count;
}

}  // namespace

TEST(SaveFaults, EveryOperationFailsInTurnAndNothingIsLost)
{
    int faults = 0;
    for (const Case& c : kCases) {
        Project p(c.eventFile, c.linked);
        const int operations = CountOperations(p);
        ASSERT_GE(operations, 5);
        for (int n = 1; n <= operations; ++n) {
            SCOPED_TRACE(QString("%1 linked=%2 operation %3").arg(p.name).arg(c.linked).arg(n).toStdString());
            Project q(c.eventFile, c.linked);
            const QStringList entries = q.Entries();
            const QString counterRow = q.m->ListTable[1001][1];
            int seen = 0;
            Records::SetWriteFaultHook([&](const char*) { return ++seen == n; });
            const FileResult result = q.Save();
            Records::SetWriteFaultHook({});
            ++faults;
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.message, Records::SaveFailedMessage(q.name));
            EXPECT_EQ(Bytes::Read(q.Path(q.name)), q.before);
            EXPECT_EQ(q.Entries(), entries);  // no temporary copy left behind
            EXPECT_EQ(q.m->ListTable[1001][1], counterRow);  // the tables as they were
            EXPECT_EQ(q.m->LastEventFileNumber, 7);
            ASSERT_TRUE(q.Save().ok);  // and the next save writes the right bytes
            EXPECT_EQ(Bytes::Read(q.Path(q.name)), p.after);
        }
    }
    RecordProperty("faults", faults);
    std::printf("%d faults injected\n", faults);
}

// A child saves and is killed: at each operation of the save, then at random
// moments while it saves over and over. The file is always whole; the
// leftovers of a killed save go at the next load, a user's older copy stays.
TEST(SaveFaults, KilledSavesLeaveOldOrNewAndLeftoversAreRemoved)
{
    int kills = 0;
    qsizetype leftovers = 0;
    std::mt19937 random(20261206);
    for (const Case& c : kCases) {
        Project p(c.eventFile, c.linked);
        const int operations = CountOperations(p);
        Bytes::Write(p.Path(p.name + ".backup"), "the user's own copy");
        QFile backup(p.Path(p.name + ".backup"));
        ASSERT_TRUE(backup.open(QIODevice::ReadWrite)
                    && backup.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
        backup.close();
        for (int run = 1; run <= operations + 60; ++run) {
            p.Restore();
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                if (run <= operations) {
                    int seen = 0;
                    Records::SetWriteFaultHook([&](const char*) {
                        if (++seen == run) raise(SIGKILL);
                        return false;
                    });
                }
                for (;;) p.Save();
            }
            if (run > operations) {  // the first runs stop themselves at their operation
                std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
                kill(child, SIGKILL);
            }
            int status = 0;
            waitpid(child, &status, 0);
            ++kills;
            const QByteArray now = Bytes::Read(p.Path(p.name));
            ASSERT_TRUE(now == p.before || now == p.after) << p.name.toStdString() << " run " << run;
            ASSERT_EQ(QFileInfo(p.Path(p.name)).isSymLink(), c.linked && now == p.before);
            leftovers += ProjectFiles::RemoveSaveLeftovers(p.dir.path(), {"LISTDATA.PLD", "1.pev"}).size();
            QStringList expected{p.name, p.name + ".backup"};
            expected.sort();
            if (c.linked) ASSERT_EQ(Bytes::Read(p.Target()), p.before);
            ASSERT_EQ(p.Entries(), expected) << " run " << run;
            if (c.linked) p.Relink();
        }
    }
    RecordProperty("kills", kills);
    RecordProperty("leftovers", int(leftovers));
    std::printf("%d kills, %d leftovers removed\n", kills, int(leftovers));
}
