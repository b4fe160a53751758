// The event editor's rules: insert and delete, wait entry, navigation and "次へ".

#include "core/EventKinds.h"
#include "core/EventRules.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

using namespace EventRules;

namespace {

// Events in rows 1..count: "A" "a", "B" "b", …, past row 26 "27", "28", …
// without a parameter; row 1000 holds "X", which no shift may touch.
Module1 Events(int count)
{
    Module1 m;
    for (int row = 1; row <= count; ++row) {
        m.EventTable[row][0] = row <= 26 ? QString(QChar('A' + row - 1)) : QString::number(row);
        m.EventTable[row][1] = row <= 26 ? m.EventTable[row][0].toLower() : QString();
    }
    m.EventTable[1000][0] = QStringLiteral("X");
    return m;
}

// Events in rows 1..count: waits, with a text in row 7.
std::unique_ptr<Module1> Waits(int count)
{
    auto m = std::make_unique<Module1>();
    for (int row = 1; row <= count; ++row) m->EventTable[row][0] = row == 7 ? EventKinds::kText : EventKinds::kWait;
    return m;
}

enum Op {
    UpperInsert,
    LowerInsert,
    UpperDelete,
    LowerDelete
};

// A button as the event editor runs it, a delete answered with Yes.
void Press(Module1& m, Op op)
{
    const bool lower = op == LowerInsert || op == LowerDelete;
    const int row = lower ? m.EventIndex + 1 : op == UpperDelete ? m.EventIndex - 1
                                                                 : m.EventIndex;
    const bool insert = op == UpperInsert || op == LowerInsert;
    if (insert && CanInsertAt(m.EventTable, row)) {
        OpenRowAt(m.EventTable, row);
        m.EventIndex = row;
    }
    if (!insert && HoldsEvent(m.EventTable, row)) {
        RemoveRowAt(m.EventTable, row);
        if (op == UpperDelete) m.EventIndex = IndexAfterUpperDelete(m.EventTable, m.EventIndex);
    }
}

}  // namespace

// Rows 1..7, 999 and 1000 ("-" empty) and the current row after each button.
TEST(EventRules, InsertAndDeleteShiftBothColumnsWithinRows1To999)
{
    const struct {
        int events, index;
        Op op;
        const char* rows;
        int indexAfter;
    } cases[] = {
        {5, 3, UpperInsert, "Aa Bb - Cc Dd Ee - - X", 3},
        {5, 3, LowerInsert, "Aa Bb Cc - Dd Ee - - X", 4},
        {5, 3, LowerDelete, "Aa Bb Cc Ee - - - - X", 3},
        {5, 3, UpperDelete, "Aa Cc Dd Ee - - - - X", 3},
        {5, 6, UpperDelete, "Aa Bb Cc Dd - - - - X", 5},  // stays on the first empty row
        {0, 1, LowerInsert, "- - - - - - - - X", 2},      // a new item's first event on row 2
        {5, 1, UpperDelete, "Aa Bb Cc Dd Ee - - - X", 1},
        {5, 5, LowerDelete, "Aa Bb Cc Dd Ee - - - X", 5},
        {998, 998, LowerInsert, "Aa Bb Cc Dd Ee Ff Gg - X", 999},
        {998, 1, UpperInsert, "- Aa Bb Cc Dd Ee Ff 998 X", 1},
        {999, 1, UpperInsert, "Aa Bb Cc Dd Ee Ff Gg 999 X", 1},  // a full list
        {10, 999, LowerInsert, "Aa Bb Cc Dd Ee Ff Gg - X", 999},
        {999, 2, UpperDelete, "Bb Cc Dd Ee Ff Gg Hh - X", 2},
    };
    for (const auto& c : cases) {
        Module1 m = Events(c.events);
        m.EventIndex = c.index;
        Press(m, c.op);
        QStringList rows;
        for (int row : {1, 2, 3, 4, 5, 6, 7, 999, 1000})
            rows << (HoldsEvent(m.EventTable, row) ? m.EventTable[row][0] + m.EventTable[row][1] : QStringLiteral("-"));
        EXPECT_EQ(rows.join(' ').toStdString() + " @" + std::to_string(m.EventIndex),
                  c.rows + (" @" + std::to_string(c.indexAfter)))
            << c.events << " events, row " << c.index << " op " << c.op;
    }
}

TEST(EventRules, WaitEntry)
{
    const struct {
        const char* text;
        std::optional<qint32> value;
        bool accepted;
    } cases[] = {
        {"30000", 30000, true},
        {"30001", 30001, false},
        {"0", 0, false},
        {"2.5", 2, true},  // a half goes to the even neighbour
        {"3.5", 4, true},
        {"2.51", 3, true},
        {" １５００ ", 1500, true},   // full-width digits, blanks around
        {"　－２．５　", -2, false},  // a full-width blank, minus and period
        {"−5", -5, false},            // the minus sign
        {"＋０．５", 0, false},
        {"", {}, false},
        {"1e3", {}, false},
        {"1.2.3", {}, false},
        {"-2147483648", -2147483647 - 1, false},
        {"2147483647.5", {}, false},
        {"99999999999999999999", {}, false},
    };
    for (const auto& c : cases) {
        const std::optional<qint32> value = ParseWait(QString::fromUtf8(c.text));
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(value && WaitAccepted(*value), c.accepted) << c.text;
    }
}

// ▲ ▼ ▲10 ▼10 at a row, "1" where it moves: ▼ stops on the empty row after the last event and at row
// 1004 (events pushed down in a damaged file), ▼10 before an empty row and from row 990 on.
TEST(EventRules, NavigationConditions)
{
    const struct {
        int events, row;
        const char* moves;
    } cases[] = {
        {999, 1, "0101"},
        {999, 10, "1101"},
        {999, 989, "1111"},
        {999, 990, "1110"},
        {999, 1000, "1010"},
        {1004, 1004, "1010"},
        {3, 1, "0100"},
    };
    for (const auto& c : cases) {
        auto m = Waits(c.events);
        const bool moves[] = {CanMoveUp(c.row), CanMoveDown(m->EventTable, c.row), CanMoveUp10(c.row),
                              CanMoveDown10(m->EventTable, c.row)};
        EXPECT_EQ(QString::asprintf("%d%d%d%d", moves[0], moves[1], moves[2], moves[3]).toStdString(), c.moves) << c.row;
    }
}

// "次へ" stops on the next text, the first empty row or row 1004; it moves from neither of the last two.
TEST(EventRules, PlayForwardStopsOnTextEmptyRowOrRow1004)
{
    const struct {
        int events, index;
        bool moves;
        int from, to;
    } cases[] = {
        {1005, 1, true, 2, 7},
        {1005, 7, true, 8, 1004},
        {1005, 1004, false, 0, 0},
        {3, 2, true, 3, 4},
        {3, 4, false, 0, 0},
    };
    for (const auto& c : cases) {
        auto m = Waits(c.events);
        const Forward f = PlayForward(m->EventTable, c.index);
        EXPECT_EQ(std::tuple(f.moves, f.from, f.to), std::tuple(c.moves, c.from, c.to)) << c.index;
    }
}
