#include "core/EventKinds.h"
#include "core/EventRules.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Events in rows 1..count, all of `kind`.
std::unique_ptr<Module1> Events(int count, const QString& kind = EventKinds::kWait)
{
    auto m = std::make_unique<Module1>();
    for (int row = 1; row <= count; ++row) m->EventTable[row][0] = kind;
    return m;
}

// ▲ ▼ ▲10 ▼10 at `row`: "1" moves, "0" stays.
std::string Moves(Module1& m, int row)
{
    m.EventIndex = row;
    return QString::asprintf("%d%d%d%d", EventRules::CanMoveUp(m), EventRules::CanMoveDown(m),
                             EventRules::CanMoveUp10(m), EventRules::CanMoveDown10(m))
        .toStdString();
}

}  // namespace

TEST(EventRules, NavigationConditions)
{
    auto m = Events(999);
    const std::pair<int, const char*> cases[] = {
        {1, "0101"}, {10, "1101"}, {11, "1111"}, {989, "1111"}, {990, "1110"}, {999, "1110"}, {1000, "1010"},
    };
    for (auto [row, moves] : cases) EXPECT_EQ(Moves(*m, row), moves) << row;
    // Events pushed down to row 1004 (a damaged file): ▼ stops there.
    m = Events(1004);
    EXPECT_EQ(Moves(*m, 1004), "1010");
}

TEST(EventRules, PlayForwardStopsOnTextEmptyRowOrRow1004)
{
    auto m = Events(1005);
    m->EventTable[7][0] = EventKinds::kText;
    struct Case { int from; bool moves; int first, last; };
    const Case cases[] = {{1, true, 2, 7}, {7, true, 8, 1004}, {1003, true, 1004, 1004}, {1004, false, 0, 0}};
    for (const Case& c : cases) {
        m->EventIndex = c.from;
        const auto f = EventRules::PlayForward(*m);
        EXPECT_EQ(f.moves, c.moves) << c.from;
        if (c.moves) EXPECT_EQ(std::make_pair(f.from, f.to), std::make_pair(c.first, c.last)) << c.from;
    }
    m = Events(3);
    m->EventIndex = 4;  // the empty row after the last event
    EXPECT_FALSE(EventRules::PlayForward(*m).moves);
    m->EventIndex = 2;
    EXPECT_EQ(EventRules::PlayForward(*m).to, 4);
}
