#include "core/EventEditing.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace EventEditing;

// Events "A", "B", … in rows 1.. with parameters "a", "b", …, or `count`
// events "eN"; row 1000 holds "X", which no shift may touch.
static Module1 Events(const char* kinds, int count = 0)
{
    Module1 m;
    for (int row = 1; kinds[row - 1]; ++row) {
        m.EventTable[row][0] = QString(QLatin1Char(kinds[row - 1]));
        m.EventTable[row][1] = m.EventTable[row][0].toLower();
    }
    for (int row = 1; row <= count; ++row) m.EventTable[row][0] = QStringLiteral("e%1").arg(row);
    m.EventTable[1000][0] = QStringLiteral("X");
    return m;
}

enum Op { UpperInsert, LowerInsert, UpperDelete, LowerDelete };

// A button as the event editor runs it, answering Yes; returns the row asked about.
static int Press(Module1& m, Op op)
{
    const bool insert = op == UpperInsert || op == LowerInsert;
    const int row = m.EventIndex + (op == LowerInsert || op == LowerDelete) - (op == UpperDelete);
    if (insert ? !CanInsertAt(m, row) : !HoldsEvent(m, row)) return 0;
    insert ? OpenRowAt(m, row) : RemoveRowAt(m, row);
    m.EventIndex = insert ? row : op == UpperDelete ? IndexAfterUpperDelete(m) : m.EventIndex;
    return insert ? 0 : row;
}

TEST(EventEditing, InsertAndDeleteShiftBothColumns)
{
    const struct { const char* events; int index; Op op; const char* rows; int indexAfter; int asked; } cases[] = {
        {"ABCDE", 3, UpperInsert, "Aa Bb - Cc Dd Ee -", 3, 0}, {"ABCDE", 3, LowerInsert, "Aa Bb Cc - Dd Ee -", 4, 0},
        {"ABCDE", 3, LowerDelete, "Aa Bb Cc Ee - - -", 3, 4}, {"ABCDE", 3, UpperDelete, "Aa Cc Dd Ee - - -", 3, 2},
        {"ABCDE", 6, UpperDelete, "Aa Bb Cc Dd - - -", 5, 5},  // stays on the first empty row
        {"", 1, LowerInsert, "- - - - - - -", 2, 0},          // a new item's first event on row 2
        {"ABCDE", 1, UpperDelete, "Aa Bb Cc Dd Ee - -", 1, 0}, {"ABCDE", 5, LowerDelete, "Aa Bb Cc Dd Ee - -", 5, 0},
    };
    for (const auto& c : cases) {
        Module1 m = Events(c.events);
        m.EventIndex = c.index;
        const int asked = Press(m, c.op);
        QStringList rows;
        for (int row = 1; row <= 7; ++row)
            rows << (HoldsEvent(m, row) ? m.EventTable[row][0] + m.EventTable[row][1] : QStringLiteral("-"));
        EXPECT_EQ(rows.join(' ').toStdString(), c.rows) << "row " << c.index << " op " << c.op;
        EXPECT_EQ(std::pair(m.EventIndex, asked), std::pair(c.indexAfter, c.asked)) << c.index << " op " << c.op;
    }
    EXPECT_EQ(DeleteQuestion(4), QStringLiteral("4番のイベントを削除します。いいですか？"));
}

// Events never pass row 999: whether the new (or current) row is empty
// afterwards, and what row 999 holds.
TEST(EventEditing, FullListBounds)
{
    const struct { int events; int index; Op op; const char* rows; } cases[] = {
        {998, 998, LowerInsert, "empty||X"}, {998, 1, UpperInsert, "empty|e998|X"},
        {999, 1, UpperInsert, "e1|e999|X"},  {999, 500, LowerInsert, "e501|e999|X"},
        {10, 999, LowerInsert, "X||X"},      {10, 1000, UpperInsert, "X||X"}, {999, 2, UpperDelete, "e3||X"},
    };
    for (const auto& c : cases) {
        Module1 m = Events("", c.events);
        m.EventIndex = c.index;
        Press(m, c.op);
        const QString& row = m.EventTable[c.index + (c.op == LowerInsert)][0];
        EXPECT_EQ((row.isEmpty() ? "empty" : row) + '|' + m.EventTable[999][0] + '|' + m.EventTable[1000][0],
                  QLatin1String(c.rows)) << c.events << " events, row " << c.index << " op " << c.op;
    }
}

TEST(EventEditing, WaitEntry)
{
    const struct { const char* text; std::optional<qint32> value; bool accepted; } cases[] = {
        {"1000", 1000, true}, {"30000", 30000, true}, {"30001", 30001, false}, {"0", 0, false}, {"-5", -5, false},
        {" 250 ", 250, true}, {"2.5", 2, true}, {"3.5", 4, true}, {"-2.5", -2, false}, {"2.51", 3, true},
        {"１５００", 1500, true}, {"　－３　", -3, false}, {"−5", -5, false}, {"＋０．５", 0, false}, {"abc", {}, false},
        {"", {}, false}, {"1e3", {}, false}, {"1,000", {}, false}, {"1.2.3", {}, false}, {"-", {}, false},
        {"-2147483648", -2147483647 - 1, false}, {"2147483647.5", {}, false}, {"99999999999999999999", {}, false},
    };
    for (const auto& c : cases) {
        const std::optional<qint32> value = ParseWait(QString::fromUtf8(c.text));
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(value && WaitAccepted(*value), c.accepted) << c.text;
    }
}
