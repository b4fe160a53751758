// The rules of the list editor and the event editor: insert and delete,
// navigation, wait entry, "次へ", the event file counter and which event file
// a deleted item takes with it.

#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/ListRules.h"

#include <gtest/gtest.h>

using namespace EventRules;

namespace {

// Events in rows 1..count, each with its row number as parameter: waits, with
// a text in row 7; and items in rows 1..count up to 999, "iN" with "N.pev".
std::unique_ptr<Module1> Filled(int count)
{
    auto m = std::make_unique<Module1>();
    m->PrepareNewList();
    for (int row = 1; row <= count; ++row) {
        m->EventTable[row][0] = row == 7 ? EventKinds::kText : EventKinds::kWait;
        m->EventTable[row][1] = QString::number(row);
    }
    for (int row = 1; row <= std::min(count, 999); ++row) {
        m->ListTable[row][1] = QStringLiteral("i%1").arg(row);
        m->ListTable[row][2] = ListRules::EventFileName(row);
    }
    return m;
}

enum Op {
    Insert,
    Delete
};

}  // namespace

// Rows 1..7, 999 and 1000 ("-" empty) after an insert or a delete at a row,
// as the editor's buttons do when they may (row 1000 holds "X", which no shift
// may touch); and the current row when the delete was of the row above it.
TEST(EventRules, InsertAndDeleteShiftRowsWithin1To999)
{
    const struct {
        int events;
        Op op;
        int row;
        const char* rows;
        int indexAfterUpperDelete;
    } cases[] = {
        {5, Insert, 3, "1 2 - 3 4 5 - - X", 0},
        {5, Delete, 2, "1 3 4 5 - - - - X", 3},
        {5, Delete, 5, "1 2 3 4 - - - - X", 5},  // stays on the first empty row
        {998, Insert, 999, "1 2 3 4 5 6 7 - X", 0},
        {998, Insert, 1, "- 1 2 3 4 5 6 998 X", 0},
        {999, Insert, 1, "1 2 3 4 5 6 7 999 X", 0},  // a full list
        {10, Insert, 1000, "1 2 3 4 5 6 7 - X", 0},
        {999, Delete, 1, "2 3 4 5 6 7 8 - X", 2},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<Module1> m = Filled(c.events);
        EventRows& e = m->EventTable;
        e[1000] = {EventKinds::kWait, "X"};
        if (c.op == Insert && CanInsertAt(e, c.row)) OpenRowAt(e, c.row);
        if (c.op == Delete && HoldsEvent(e, c.row)) RemoveRowAt(e, c.row);
        QStringList rows;
        for (int row : {1, 2, 3, 4, 5, 6, 7, 999, 1000}) rows << (HoldsEvent(e, row) ? e[row][1] : QStringLiteral("-"));
        const int indexAfter = c.op == Delete ? IndexAfterUpperDelete(e, c.row + 1) : 0;
        EXPECT_EQ(std::pair(rows.join(' ').toStdString(), indexAfter), std::pair(std::string(c.rows), c.indexAfterUpperDelete))
            << c.events << " events, row " << c.row << " op " << c.op;
    }
}

// ▲ ▼ ▲10 ▼10 at a row, "1" where it moves, among `count` events and items:
// ▼ stops on the empty row after the last event or item (and at row 1004 for
// events pushed down in a damaged file), ▼10 from row 990 on and before an
// event ten rows below or an item nine rows below is missing.
TEST(Rules, NavigationAtBothEnds)
{
    const struct {
        int count, row;
        const char* events;
        const char* items;
    } cases[] = {
        {999, 1, "0101", "0101"},
        {999, 10, "1101", "1101"},
        {999, 989, "1111", "1111"},
        {999, 990, "1110", "1110"},
        {999, 999, "1110", "1010"},
        {998, 989, "1110", "1111"},
        {997, 989, "1110", "1110"},
        {997, 998, "1010", "1010"},
        {1004, 1004, "1010", "1010"},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<Module1> m = Filled(c.count);
        m->ItemIndex = qint16(c.row);
        const EventRows& e = m->EventTable;
        EXPECT_EQ(QString::asprintf("%d%d%d%d", CanMoveUp(c.row), CanMoveDown(e, c.row), CanMoveUp10(c.row), CanMoveDown10(e, c.row)), c.events) << c.count << " events, row " << c.row;
        EXPECT_EQ(QString::asprintf("%d%d%d%d", ListRules::CanMoveUp(*m), ListRules::CanMoveDown(*m), ListRules::CanMoveUp10(*m), ListRules::CanMoveDown10(*m)), c.items) << c.count << " items, row " << c.row;
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
        {"2.5", 2, true},  // a half goes to the even neighbour
        {"2.51", 3, true},
        {" １５００ ", 1500, true},   // full-width digits, blanks around
        {"　－２．５　", -2, false},  // a full-width blank, minus and period
        {"−5", -5, false},            // the minus sign
        {"＋０．５", 0, false},
        {"", {}, false},
        {"1e3", {}, false},
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
        const Forward f = PlayForward(Filled(c.events)->EventTable, c.index);
        EXPECT_EQ(std::tuple(f.moves, f.from, f.to), std::tuple(c.moves, c.from, c.to)) << c.index;
    }
}

// The event files of a list: the next one skips names in use (the counter
// lags after a damaged load) and none comes after 32767; deleting an item
// removes its own event file only, a name of the form N.pev (1..32767) that
// no other item names.
TEST(ListRules, EventFilesOfTheList)
{
    Module1 m;
    m.ListTable[1][2] = "2.PEV";
    m.ListTable[3][2] = "3.PEV";
    const std::pair<int, const char*> next[] = {
        {1, "4.pev"},
        {32766, "32767.pev"},
        {32767, ""},
    };
    for (const auto& [last, name] : next) {
        m.LastEventFileNumber = qint16(last);
        const ListRules::NewEventFile n = ListRules::NextEventFile(m);
        EXPECT_EQ(n.ok ? n.fileName : n.message, *name ? QString(name) : ListRules::CounterLimitMessage());
    }
    const std::pair<const char*, const char*> cases[] = {
        {"12.PEV", "12.PEV"},
        {"32767.pev", "32767.pev"},
        {"32768.pev", ""},
        {"07.pev", ""},
        {"1.pev.bak", ""},
        {"../1.pev", ""},
        {"3.pev", ""},  // row 3's
    };
    for (const auto& [name, removed] : cases) {
        m.ListTable[2][2] = name;
        EXPECT_EQ(ListRules::EventFileToRemove(m, 2), removed) << name;
    }
}
