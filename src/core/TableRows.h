#pragma once
// Row operations on the tables of Module1 (a table is an array of rows, a row
// an array of cells), kept to one range of rows: a list's items, an item's
// events. Rows outside the range are never touched, and an operation on a row
// outside it does nothing.

#include <algorithm>
#include <iterator>

namespace TableRows {

struct Range {
    int first;
    int last;
    constexpr bool Contains(int row) const { return row >= first && row <= last; }
};

template <typename Table>
void CopyRow(Table& table, int from, int to)
{
    std::copy(std::begin(table[from]), std::end(table[from]), std::begin(table[to]));
}

template <typename Table>
void EmptyRow(Table& table, int row)
{
    for (auto& cell : table[row]) cell.clear();
}

// Rows row..last-1 move one row down (row last's old content is lost) and
// `row` is emptied.
template <typename Table>
void OpenRowAt(Table& table, Range rows, int row)
{
    if (!rows.Contains(row)) return;
    for (int r = rows.last - 1; r >= row; --r) CopyRow(table, r, r + 1);
    EmptyRow(table, row);
}

// Rows row+1..last move one row up and row last is emptied.
template <typename Table>
void RemoveRowAt(Table& table, Range rows, int row)
{
    if (!rows.Contains(row)) return;
    for (int r = row; r < rows.last; ++r) CopyRow(table, r + 1, r);
    EmptyRow(table, rows.last);
}

}  // namespace TableRows
