// Play with the player's timing, through a clock and a window of the test's
// own, and what the show check says of the same item: the rows that play never
// reaches are the ones the check reports.

#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/ShowCheck.h"
#include "core/ShowPlay.h"
#include "support/Shows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace EventKinds;

// The clock and the window of a play. The trace holds the rows applied,
// "wait N" for each wait started, "end" with the rows skipped, and "refused";
// a row whose file name starts with "gone" has no file.
struct Recorder : PlayClock, PlayView {
    explicit Recorder(const EventRows& events) : rows(events) {}
    const EventRows& rows;
    QStringList trace;
    bool waiting = false;

    void Start(int millis) override
    {
        waiting = true;
        trace << QStringLiteral("wait %1").arg(millis);
    }
    void Stop() override { waiting = false; }
    void Started() override {}
    bool Apply(int row) override
    {
        trace << QString::number(row);
        return !rows[row][1].startsWith(QStringLiteral("gone"));
    }
    void Ended(const QStringList& skippedRows) override { trace << (QStringLiteral("end ") + skippedRows.join(',')).trimmed(); }
    void Refused(const QString& message) override { trace << (message == EventRules::SpinsForeverMessage() ? QStringLiteral("refused") : message); }
};

// A press of a button, or a tick of the clock that ends the wait.
using Press = void (ShowPlay::*)();
constexpr Press kNext = &ShowPlay::Next;
constexpr Press kTick = &ShowPlay::Tick;
constexpr Press kStop = &ShowPlay::Stop;

}  // namespace

// An item written to a folder, checked, and played from a row: the trace after
// the start and after each press, "|" between them, and the event row and first
// sentence of each finding about how play goes through the item. The clock runs
// exactly while the play waits.
TEST(ShowPlay, PlaysAsTheCheckSays)
{
    const QList<QStringList> round = {{kText, "A"}, {kWait, "1500"}, {kPicture, "gone.bmp"}, {kWavOnce, "gone.wav"}, {kWait, "200"}, {kText, "B"}, {kPicture, "gone.bmp"}, {kEndless, kBackToStart}};
    const struct {
        const char* name;
        QList<QStringList> events;
        int firstRow;  // where the events start and play starts
        QList<Press> presses;
        const char* trace;
        QStringList findings;
    } cases[] = {
        {"a round through エンドレス, each missing file listed once", round, 1, {kNext, kNext, kTick, kTick, kNext, kNext, kTick, kStop}, "1 | 2 wait 1500 | 3 4 5 wait 200 | 6 | | 7 8 1 | 2 wait 1500 | 3 4 5 wait 200 | end 3（gone.bmp）,4（gone.wav）,7（gone.bmp）", {}},
        {"an empty row before エンドレス ends the item", {{kClearText, ""}, {"", ""}, {kEndless, kBackToStart}}, 1, {}, "1 2 end", {"3 2番の空の行より後にあるため、ここから後の1個のイベントは再生されません"}},
        {"nothing after エンドレス is reached", {{kWait, "5"}, {kEndless, kBackToStart}, {kText, "never"}}, 1, {kTick, kNext}, "1 wait 5 | 2 1 wait 5 | 2 1 wait 5", {"3 2番の「エンドレス」より後にあるため、ここから後の1個のイベントは再生されません"}},
        {"an item that would spin is refused", {{kWavStop, ""}, {kEndless, kBackToStart}, {kWait, "5"}}, 1, {kNext, kTick}, "refused | |", {"2 この「エンドレス」より前に「ウエイト」も「テキスト表示」もないため、待たずに最初へ戻り続けます", "3 2番の「エンドレス」より後にあるため、ここから後の1個のイベントは再生されません"}},
        {"ends after row 1004", {{kWait, "5"}, {kText, "C"}}, 1003, {kTick, kNext}, "1003 wait 5 | 1004 | end", {"1003 1番の空の行より後にあるため、ここから後の2個のイベントは再生されません"}},
    };
    QTemporaryDir dir;
    const auto m = Shows::Make(dir.path(), {{"項目", {}}}, "", {});
    for (const auto& c : cases) {
        m->ClearEventTable();
        for (int i = 0; i < c.events.size(); ++i) {
            m->EventTable[c.firstRow + i][0] = c.events[i][0];
            m->EventTable[c.firstRow + i][1] = c.events[i][1];
        }
        ASSERT_TRUE(EventFile::Write(m->ProjectFolder, "1.pev", m->EventTable).ok);
        QStringList findings;
        for (const ShowCheck::Finding& f : ShowCheck::Check(*m, {}))
            if (f.problem == ShowCheck::Problem::EndlessWithoutPause || f.problem == ShowCheck::Problem::EventsNeverReached)
                findings << QString::number(f.eventRow) + ' ' + f.text.section(QStringLiteral("："), 1).section(QStringLiteral("。"), 0, 0);
        EXPECT_EQ(findings.join('\n').toStdString(), c.findings.join('\n').toStdString()) << c.name;

        Recorder recorder(m->EventTable);
        ShowPlay play(m->EventTable, recorder, recorder);
        play.Start(c.firstRow);
        for (const Press press : c.presses) {
            recorder.trace << QStringLiteral("|");
            recorder.waiting = recorder.waiting && press != kTick;
            (play.*press)();
            EXPECT_EQ(recorder.waiting, play.Playing() && !play.Paused()) << c.name;
        }
        EXPECT_EQ(recorder.trace.join(' ').toStdString(), c.trace) << c.name;
    }
}
