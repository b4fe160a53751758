#include "core/EventKinds.h"
#include "core/EventRules.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Events in rows 1..count: waits, with a text in row 7.
std::unique_ptr<Module1> Events(int count)
{
    auto m = std::make_unique<Module1>();
    for (int row = 1; row <= count; ++row) m->EventTable[row][0] = row == 7 ? EventKinds::kText : EventKinds::kWait;
    return m;
}

}  // namespace

// ▲ ▼ ▲10 ▼10 at a row, "1" where it moves: ▼ stops on the empty row after the last event and at row
// 1004 (events pushed down in a damaged file), ▼10 before an empty row and from row 990 on.
TEST(EventRules, NavigationConditions)
{
    const struct { int events, row; const char* moves; } cases[] = {
        {999, 1, "0101"}, {999, 10, "1101"}, {999, 11, "1111"}, {999, 989, "1111"}, {999, 990, "1110"},
        {999, 999, "1110"}, {999, 1000, "1010"}, {1004, 1004, "1010"}, {3, 1, "0100"}};
    for (const auto& c : cases) {
        auto m = Events(c.events);
        m->EventIndex = c.row;
        EXPECT_EQ(QString::asprintf("%d%d%d%d", EventRules::CanMoveUp(*m), EventRules::CanMoveDown(*m),
                                    EventRules::CanMoveUp10(*m), EventRules::CanMoveDown10(*m)).toStdString(), c.moves) << c.row;
    }
}

// "次へ" stops on the next text, the first empty row or row 1004; it moves from neither of the last two.
TEST(EventRules, PlayForwardStopsOnTextEmptyRowOrRow1004)
{
    const struct { int events, index; bool moves; int from, to; } cases[] = {
        {1005, 1, true, 2, 7}, {1005, 7, true, 8, 1004}, {1005, 1003, true, 1004, 1004}, {1005, 1004, false, 0, 0},
        {3, 2, true, 3, 4},    {3, 4, false, 0, 0}};
    for (const auto& c : cases) {
        auto m = Events(c.events);
        m->EventIndex = c.index;
        const auto f = EventRules::PlayForward(*m);
        EXPECT_EQ(std::tuple(f.moves, f.from, f.to), std::tuple(c.moves, c.from, c.to)) << c.index;
    }
}
