#pragma once
// What the event editor can take back in one visit: the item's events and the
// current row before each change, and what an undo took back, for redo. A
// state is a copy of the whole table; its strings stay shared with the table
// until a row changes, so a step costs little more than the row pointers.

#include "core/Module1.h"

#include <vector>

class EventHistory {
public:
    // Around an action that may change the rows: Begin with the state before
    // it, End with the state after it. A change becomes a step and drops what
    // could be redone; an action that changed nothing leaves no step.
    void Begin(const EventRows& rows, int index);
    void End(const EventRows& rows, int index);

    // The state before the last step, or after the last step taken back, with
    // its current row. False, and nothing changes, when there is none.
    bool Undo(EventRows& rows, int& index);
    bool Redo(EventRows& rows, int& index);

private:
    struct Step {
        EventRows rows;
        int index = 0;      // the current row when `rows` come back
        int leftIndex = 0;  // the current row of the state that `rows` replace
    };
    static bool Move(std::vector<Step>& from, std::vector<Step>& to, EventRows& rows, int& index);

    Step before_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
};
