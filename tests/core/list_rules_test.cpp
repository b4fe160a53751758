#include "core/ListRules.h"

#include <QStringList>

#include <gtest/gtest.h>

// A new list with rows 1..999 named "iN" with event files "N.pev".
static Module1 FullList()
{
    Module1 m;
    m.PrepareNewList();
    for (int row = 1; row <= 999; ++row) {
        m.ListTable[row][1] = QStringLiteral("i%1").arg(row);
        m.ListTable[row][2] = ListRules::EventFileName(row);
    }
    return m;
}

// ▲ ▼ ▲10 ▼10 ("1" moves); ▼ needs the row named, ▼ 10 the row nine below (998 in the last two).
TEST(ListRules, NavigationAtBothEndsOfAFullList)
{
    Module1 m = FullList();
    const std::tuple<int, bool, const char*> cases[] = {
        {1, false, "0101"},
        {10, false, "1101"},
        {989, false, "1111"},
        {990, false, "1110"},
        {999, false, "1010"},
        {989, true, "1110"},
        {998, true, "1010"},
    };
    for (const auto& [row, unnamed998, moves] : cases) {
        m.ListTable[998][1] = unnamed998 ? "" : "i998";
        m.ItemIndex = qint16(row);
        EXPECT_EQ(QString::asprintf("%d%d%d%d", ListRules::CanMoveUp(m), ListRules::CanMoveDown(m),
                                    ListRules::CanMoveUp10(m), ListRules::CanMoveDown10(m)),
                  moves)
            << row;
    }
}

TEST(ListRules, InsertAndDeleteShiftBothColumns)
{
    Module1 m = FullList();
    const auto rows = [&](std::initializer_list<int> list) {
        QStringList out;
        for (int row : list) out << m.ListTable[row][1] + ':' + m.ListTable[row][2];
        return out.join(' ');
    };
    ListRules::OpenRowAt(m, 2);  // row 999's item falls off the end
    EXPECT_EQ(rows({1, 2, 3, 998, 999, 1000}), "i1:1.pev : i2:2.pev i997:997.pev i998:998.pev :");
    ListRules::RemoveRowAt(m, 1);
    EXPECT_EQ(rows({0, 1, 2, 997, 998, 999}), "－－－－－－－－－－: : i2:2.pev i997:997.pev i998:998.pev :");
}

TEST(ListRules, CounterSkipsNamesInUseAndStopsAt32767)
{
    Module1 m;
    m.ListTable[1][2] = "2.PEV";  // the counter lags after a damaged load
    const std::pair<int, const char*> cases[] = {
        {1, "3.pev"},
        {32766, "32767.pev"},
        {32767, ""},
    };
    for (const auto& [last, next] : cases) {
        m.LastEventFileNumber = qint16(last);
        const ListRules::NewEventFile n = ListRules::NextEventFile(m);
        EXPECT_EQ(n.ok ? n.fileName : n.message, *next ? QString(next) : ListRules::CounterLimitMessage());
    }
}

// Deleting an item removes its own event file only: a name of the form N.pev
// (1..32767), and none that another item names.
TEST(ListRules, DeleteRemovesOnlyTheItemsOwnEventFile)
{
    Module1 m;
    m.ListTable[3][2] = "3.PEV";
    const std::pair<const char*, const char*> cases[] = {
        {"7.pev", "7.pev"},
        {"12.PEV", "12.PEV"},
        {"32767.pev", "32767.pev"},
        {"32768.pev", ""},
        {"0.pev", ""},
        {"07.pev", ""},
        {"1.pev.bak", ""},
        {"LISTDATA.PLD", ""},
        {"../1.pev", ""},
        {"3.pev", ""},  // row 3's
    };
    for (const auto& [name, removed] : cases) {
        m.ListTable[2][2] = name;
        EXPECT_EQ(ListRules::EventFileToRemove(m, 2), removed) << name;
    }
}
