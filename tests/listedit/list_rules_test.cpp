#include "listedit/ListRules.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<Module1> NewList()
{
    auto m = std::make_unique<Module1>();
    m->PrepareNewList();
    m->ItemIndex = 1;
    return m;
}

void Name(Module1& m, int row, const QString& name, const QString& file)
{
    m.ListTable[row][1] = name;
    m.ListTable[row][2] = file;
}

std::unique_ptr<Module1> FullList()
{
    auto m = NewList();
    for (int row = 1; row <= 999; ++row)
        Name(*m, row, QStringLiteral("項目%1").arg(row), ListRules::EventFileName(row));
    m->LastEventFileNumber = 999;
    return m;
}

// Names and event files of rows 1..n as "name:file" pairs.
QStringList Rows(const Module1& m, int n)
{
    QStringList out;
    for (int row = 1; row <= n; ++row)
        out << m.ListTable[row][1] + QLatin1Char(':') + m.ListTable[row][2];
    return out;
}

}  // namespace

TEST(ListNavigation, FullListAtBothEnds)
{
    auto m = FullList();
    struct Case {
        int row;
        bool up, down, up10, down10;
    };
    const Case cases[] = {
        {1, false, true, false, true},    {10, true, true, false, true},
        {11, true, true, true, true},     {989, true, true, true, true},
        {990, true, true, true, false},   {999, true, false, true, false},
    };
    for (const Case& c : cases) {
        m->ItemIndex = qint16(c.row);
        EXPECT_EQ(ListRules::CanMoveUp(*m), c.up) << "row " << c.row;
        EXPECT_EQ(ListRules::CanMoveDown(*m), c.down) << "row " << c.row;
        EXPECT_EQ(ListRules::CanMoveUp10(*m), c.up10) << "row " << c.row;
        EXPECT_EQ(ListRules::CanMoveDown10(*m), c.down10) << "row " << c.row;
    }
}

TEST(ListNavigation, DownGoesByNamesOnly)
{
    auto m = NewList();
    EXPECT_FALSE(ListRules::CanMoveDown(*m));    // row 1 unnamed
    EXPECT_FALSE(ListRules::CanMoveDown10(*m));  // row 10 unnamed
    for (int row = 1; row <= 15; ++row) Name(*m, row, QStringLiteral("x"), QString());
    m->ItemIndex = 6;
    EXPECT_TRUE(ListRules::CanMoveDown10(*m));   // tests row 15
    m->ItemIndex = 7;
    EXPECT_FALSE(ListRules::CanMoveDown10(*m));  // tests row 16
    m->ItemIndex = 15;
    EXPECT_TRUE(ListRules::CanMoveDown(*m));
    m->ItemIndex = 16;
    EXPECT_FALSE(ListRules::CanMoveDown(*m));
    // A row with an event file but no name stops ▼ too.
    m->ListTable[16][2] = QStringLiteral("20.pev");
    EXPECT_FALSE(ListRules::CanMoveDown(*m));
}

TEST(ListShifts, OpenRowMovesRowsDownWithBothColumns)
{
    auto m = NewList();
    Name(*m, 1, "A", "1.pev");
    Name(*m, 2, "B", "2.pev");
    Name(*m, 3, "C", "3.pev");
    ListRules::OpenRowAt(*m, 2);
    EXPECT_EQ(Rows(*m, 5), (QStringList{"A:1.pev", ":", "B:2.pev", "C:3.pev", ":"}));
    EXPECT_EQ(m->ListTable[0][1], Module1::kDashLine);
}

TEST(ListShifts, OpenRowOnFullListDropsOnlyRow999)
{
    auto m = FullList();
    m->ListTable[999][1].clear();
    m->ListTable[999][2].clear();
    ListRules::OpenRowAt(*m, 1);
    EXPECT_TRUE(m->ListTable[1][1].isEmpty());
    EXPECT_EQ(m->ListTable[2][2], QStringLiteral("1.pev"));
    EXPECT_EQ(m->ListTable[999][2], QStringLiteral("998.pev"));
    EXPECT_TRUE(m->ListTable[1000][1].isEmpty());
    EXPECT_TRUE(m->ListTable[1000][2].isEmpty());
}

TEST(ListShifts, RemoveRowMovesRowsUpAndEmptiesRow999)
{
    auto m = FullList();
    ListRules::RemoveRowAt(*m, 2);
    EXPECT_EQ(Rows(*m, 3), (QStringList{"項目1:1.pev", "項目3:3.pev", "項目4:4.pev"}));
    EXPECT_EQ(m->ListTable[998][2], QStringLiteral("999.pev"));
    EXPECT_TRUE(m->ListTable[999][1].isEmpty());
    EXPECT_TRUE(m->ListTable[999][2].isEmpty());
    EXPECT_FALSE(ListRules::IsListFull(*m));

    // The fixed rows after the items are never touched.
    m->ListTable[1001][1] = QStringLiteral("999");
    ListRules::RemoveRowAt(*m, 999);
    EXPECT_EQ(m->ListTable[1001][1], QStringLiteral("999"));
    EXPECT_EQ(m->ListTable[998][2], QStringLiteral("999.pev"));
}

TEST(ListShifts, FullAndInsertBelowTests)
{
    auto m = FullList();
    m->ItemIndex = 500;
    EXPECT_TRUE(ListRules::IsListFull(*m));
    EXPECT_FALSE(ListRules::CanInsertBelow(*m));
    m->ListTable[999][2].clear();  // named but no event file: not an item
    EXPECT_FALSE(ListRules::IsListFull(*m));
    EXPECT_TRUE(ListRules::CanInsertBelow(*m));
    m->ItemIndex = 999;
    EXPECT_FALSE(ListRules::CanInsertBelow(*m));
}

TEST(EventFileNumbers, CounterAndFreeNames)
{
    auto m = NewList();
    auto next = ListRules::NextEventFile(*m);
    ASSERT_TRUE(next.ok);
    EXPECT_EQ(next.number, 1);
    EXPECT_EQ(next.fileName, QStringLiteral("1.pev"));

    // 1..3 made, the item with 2.pev deleted: the next one is 4.pev.
    Name(*m, 1, "A", "1.pev");
    Name(*m, 2, "C", "3.pev");
    m->LastEventFileNumber = 3;
    EXPECT_EQ(ListRules::NextEventFile(*m).fileName, QStringLiteral("4.pev"));

    // A counter that lags behind the names in the list skips them.
    m->LastEventFileNumber = 0;
    Name(*m, 3, "D", "2.PEV");
    Name(*m, 4, "E", "5.pev");
    next = ListRules::NextEventFile(*m);
    EXPECT_EQ(next.number, 4);
    EXPECT_EQ(next.fileName, QStringLiteral("4.pev"));
}

TEST(EventFileNumbers, RefusedAtTheLimit)
{
    auto m = NewList();
    m->LastEventFileNumber = 32766;
    auto next = ListRules::NextEventFile(*m);
    ASSERT_TRUE(next.ok);
    EXPECT_EQ(next.fileName, QStringLiteral("32767.pev"));

    m->LastEventFileNumber = 32767;
    next = ListRules::NextEventFile(*m);
    EXPECT_FALSE(next.ok);
    EXPECT_EQ(next.message, ListRules::kCounterLimitMessage);

    // The last free number is taken by an item: nothing is left either.
    m->LastEventFileNumber = 32766;
    Name(*m, 1, "A", "32767.pev");
    EXPECT_FALSE(ListRules::NextEventFile(*m).ok);
}

TEST(ListTexts, WhatAListDataFileCanHold)
{
    EXPECT_EQ(ListRules::TextProblem(QString()), QString());
    EXPECT_EQ(ListRules::TextProblem(QStringLiteral("あ,い ～－ ABC")), QString());
    EXPECT_EQ(ListRules::TextProblem(QStringLiteral("A\"B")),
              QStringLiteral("ダブルクォーテーション（\"）は使えません。"));
    EXPECT_EQ(ListRules::TextProblem(QStringLiteral("A\nB")), ListRules::kLineBreakMessage);
    EXPECT_EQ(ListRules::TextProblem(QStringLiteral("A\rB")), ListRules::kLineBreakMessage);
    EXPECT_EQ(ListRules::TextProblem(QStringLiteral("ab€cd€")),
              QStringLiteral("「€」はデータに保存できない文字です。別の文字に置き換えてください。"));
    // A character outside the basic plane is named whole.
    EXPECT_EQ(ListRules::TextProblem(QStringLiteral("x\U0001F600")),
              QStringLiteral("「\U0001F600」はデータに保存できない文字です。別の文字に置き換えてください。"));
}
