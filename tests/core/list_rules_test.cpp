#include "core/ListRules.h"

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

// ▲ ▼ ▲10 ▼10 at `row`: "1" moves, "0" stays.
static std::string Moves(Module1& m, int row)
{
    m.ItemIndex = qint16(row);
    return QString::asprintf("%d%d%d%d", ListRules::CanMoveUp(m), ListRules::CanMoveDown(m),
                             ListRules::CanMoveUp10(m), ListRules::CanMoveDown10(m)).toStdString();
}

// "name:file" of rows from..to, separated by blanks.
static std::string Rows(const Module1& m, int from, int to)
{
    QString out;
    for (int row = from; row <= to; ++row) out += m.ListTable[row][1] + ':' + m.ListTable[row][2] + ' ';
    return out.trimmed().toStdString();
}

TEST(ListRules, NavigationAtBothEndsOfAFullList)
{
    auto m = FullList();
    for (auto [row, moves] : {std::pair{1, "0101"}, {10, "1101"}, {11, "1111"}, {989, "1111"}, {990, "1110"},
                              {999, "1010"}})
        EXPECT_EQ(Moves(m, row), moves) << "row " << row;
    // ▼ needs the current row named, ▼ 10 the row nine below.
    m.ListTable[998][1].clear();
    EXPECT_EQ(Moves(m, 989), "1110");
    EXPECT_EQ(Moves(m, 998), "1010");
}

TEST(ListRules, InsertAndDeleteShiftBothColumns)
{
    auto m = FullList();
    ListRules::OpenRowAt(m, 2);  // row 999's item falls off the end
    EXPECT_EQ(Rows(m, 1, 3), "i1:1.pev : i2:2.pev");
    EXPECT_EQ(Rows(m, 998, 1000), "i997:997.pev i998:998.pev :");
    ListRules::RemoveRowAt(m, 1);
    EXPECT_EQ(Rows(m, 0, 2), "－－－－－－－－－－: : i2:2.pev");
    EXPECT_EQ(Rows(m, 997, 999), "i997:997.pev i998:998.pev :");
}

TEST(ListRules, CounterSkipsNamesInUseAndStopsAt32767)
{
    Module1 m;
    m.ListTable[1][2] = QStringLiteral("2.PEV");  // the counter lags after a damaged load
    m.LastEventFileNumber = 1;
    EXPECT_EQ(ListRules::NextEventFile(m).fileName, QStringLiteral("3.pev"));
    m.LastEventFileNumber = 32766;
    EXPECT_EQ(ListRules::NextEventFile(m).fileName, QStringLiteral("32767.pev"));
    m.LastEventFileNumber = 32767;
    EXPECT_FALSE(ListRules::NextEventFile(m).ok);
}

// Deleting an item removes only its own event file, and only rows 1..999 hold
// items, whatever a damaged file put elsewhere.
TEST(ListRules, DeleteRemovesOnlyTheItemsOwnEventFile)
{
    Module1 m;
    const std::pair<const char*, const char*> cases[] = {
        {"7.pev", "7.pev"}, {"12.PEV", "12.PEV"}, {"32767.pev", "32767.pev"}, {"32768.pev", ""},
        {"0.pev", ""},      {"07.pev", ""},       {"LISTDATA.PLD", ""},       {"photo.jpg", ""},
        {"../1.pev", ""},   {"3.pev", ""},  // row 3 names it too
    };
    m.ListTable[3][2] = QStringLiteral("3.PEV");
    for (auto [name, removed] : cases) {
        m.ListTable[2][2] = QString::fromUtf8(name);
        EXPECT_EQ(ListRules::EventFileToRemove(m, 2), QString::fromUtf8(removed)) << name;
    }
    m.ListTable[0][2] = m.ListTable[1000][2] = QStringLiteral("5.pev");
    for (int row : {0, 1000, 1004})
        EXPECT_TRUE(!ListRules::HoldsItem(m, row) && ListRules::EventFileToRemove(m, row).isEmpty()) << row;
}
