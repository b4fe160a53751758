#include "core/ShowPlay.h"

#include "core/EventRules.h"

#include <algorithm>
#include <utility>

using EventRules::PlayStep;

ShowPlay::ShowPlay(const EventRows& rows, PlayClock& clock, PlayView& view)
    : rows_(rows), clock_(clock), view_(view)
{
}

void ShowPlay::Start(int row)
{
    if (playing_) return;
    if (EventRules::SpinsForever(rows_)) return view_.Refused(EventRules::SpinsForeverMessage());
    playing_ = true;
    paused_ = false;
    skipped_.clear();
    view_.Started();
    GoOn(std::clamp(row, EventRules::kFirstEventRow, EventRules::kLastCurrentRow));
}

void ShowPlay::Next()
{
    if (!playing_) return;
    paused_ = false;
    clock_.Stop();
    GoOn(next_);
}

void ShowPlay::Tick()
{
    if (playing_ && !paused_) GoOn(next_);
}

void ShowPlay::Stop()
{
    if (!playing_) return;
    playing_ = false;
    paused_ = false;
    clock_.Stop();
    view_.Ended(std::exchange(skipped_, {}));
}

// Applies rows from `row` on until a wait, a text or the end.
void ShowPlay::GoOn(int row)
{
    // Every round through "エンドレス" meets a wait or a text (an item that
    // would spin is refused before it starts), so this ends; the bound only
    // guards against a table changed under the play.
    for (int applied = 0; playing_ && row != 0 && applied < 2 * Module1::kRows; ++applied) {
        if (!view_.Apply(row)) {
            const QString skipped = EventRules::SkippedRow(rows_, row);
            if (!skipped_.contains(skipped)) skipped_ << skipped;
        }
        next_ = EventRules::RowAfter(rows_, row);
        switch (EventRules::StepOf(rows_, row)) {
        case PlayStep::Wait:
            return clock_.Start(EventRules::WaitMillisOf(rows_, row));
        case PlayStep::Pause:
            paused_ = true;
            return;
        default:
            row = next_;
        }
    }
    Stop();
}
