#pragma once
// "▶ ここから再生": an item's rows played with the player's timing, from a
// row on. The play decides what is applied and when; the window that owns it
// shows the rows (PlayView) and keeps its clock (PlayClock). Nothing here
// knows a widget, so any window with a table of events can play it.

#include "core/Module1.h"

#include <QString>
#include <QStringList>

// The clock of a play: one wait at a time. Its owner calls ShowPlay::Tick()
// when the wait is over.
class PlayClock {
public:
    virtual ~PlayClock() = default;
    virtual void Start(int millis) = 0;  // replaces a wait that runs
    virtual void Stop() = 0;
};

// What a play asks of the window that shows it.
class PlayView {
public:
    virtual ~PlayView() = default;
    // The play has begun: until it ends only "■ 停止" and "次へ" work.
    virtual void Started() = 0;
    // Makes `row` the current row and applies it as the player does. False
    // when the row's file is missing or cannot be read: the player skips such
    // a row, and so does the play, which lists it when it ends.
    virtual bool Apply(int row) = 0;
    // The play has ended; `skippedRows` as EventRules::SkippedRow gives
    // them, each once, in the order met.
    virtual void Ended(const QStringList& skippedRows) = 0;
    // The play does not start, for the reason `message` gives.
    virtual void Refused(const QString& message) = 0;
};

class ShowPlay {
public:
    ShowPlay(const EventRows& rows, PlayClock& clock, PlayView& view);

    bool Playing() const { return playing_; }
    // Whether it waits on a text for "次へ".
    bool Paused() const { return paused_; }

    // Plays from `row` on: down to a wait (the clock runs), a text (it waits
    // for "次へ") or the first empty row (the end); "エンドレス" goes back to
    // row 1. An item that would spin forever is refused.
    void Start(int row);
    // "次へ": on from the text it waits on, or at once past a wait.
    void Next();
    // The clock's wait is over.
    void Tick();
    // "■ 停止" or Escape; also how every play ends.
    void Stop();

private:
    void GoOn(int row);

    const EventRows& rows_;
    PlayClock& clock_;
    PlayView& view_;
    bool playing_ = false;
    bool paused_ = false;
    int next_ = 0;  // where the play goes on; 0 where it ends
    QStringList skipped_;
};
