#include "core/EventHistory.h"

#include <utility>

void EventHistory::Begin(const EventRows& rows, int index)
{
    before_ = {rows, index, index};
}

void EventHistory::End(const EventRows& rows, int index)
{
    if (rows == before_.rows) return;
    before_.leftIndex = index;
    undo_.push_back(std::move(before_));
    redo_.clear();
}

bool EventHistory::Undo(EventRows& rows, int& index) { return Move(undo_, redo_, rows, index); }

bool EventHistory::Redo(EventRows& rows, int& index) { return Move(redo_, undo_, rows, index); }

// The rows replaced go to the other list, to come back with the current row
// they had when the step was made, not wherever the user has moved since.
bool EventHistory::Move(std::vector<Step>& from, std::vector<Step>& to, EventRows& rows, int& index)
{
    if (from.empty()) return false;
    Step step = std::move(from.back());
    from.pop_back();
    to.push_back({rows, step.leftIndex, step.index});
    rows = std::move(step.rows);
    index = step.index;
    return true;
}
