#pragma once
// Rules of the list editor that need no window: where the four navigation
// buttons may move, how rows shift when an item is inserted or deleted, which
// event file a new item gets.
//
// A row is *named* when column 1 is not empty (moving and naming go by it)
// and *holds an item* when column 2, its event file name, is not empty
// (deleting and the full-list test go by it).

#include "core/Module1.h"

#include <QString>

namespace ListRules {

inline constexpr int kFirstItemRow = 1;
inline constexpr int kMaxEventFileNumber = 32767;

// "すでに999項目作成され、これ以上は作れません。"
QString ListFullMessage();
// "イベントファイルの番号が上限（32767）に達しました。これ以上項目を作れません。"
QString CounterLimitMessage();

bool IsNamed(const Module1& m, int row);
// Only rows 1..999 hold items; whatever a damaged file put into row 0 or rows
// 1000 and up is never an item.
bool HoldsItem(const Module1& m, int row);

// The event file that deleting item `row` may remove from the folder: its
// column 2 when that is an event file name (EventFileNumber) that no other
// item row names; otherwise empty, and nothing is
// removed (a hand-edited list must not delete the list data file or a
// picture, nor another item's events).
QString EventFileToRemove(const Module1& m, int row);

// Navigation conditions on ItemIndex; a button moves only when its condition
// holds.
bool CanMoveUp(const Module1& m);      // ▲: ItemIndex > 1
bool CanMoveDown(const Module1& m);    // ▼: current row named and ItemIndex < 999
bool CanMoveUp10(const Module1& m);    // ▲ 10: ItemIndex > 10
bool CanMoveDown10(const Module1& m);  // ▼ 10: ItemIndex < 990 and row ItemIndex + 9 named
// The last named item row, however many unnamed rows lie before it; row 1
// when none is named.
int LastNamedRow(const Module1& m);

// Both inserts are refused when row 999 holds an item.
bool IsListFull(const Module1& m);
// Insert below is refused on row 999 as well: the new row would leave the
// item rows.
bool CanInsertBelow(const Module1& m);

// Moves rows `row`..998 one row down (row 999's old content is lost) and
// empties `row`; rows outside 1..999 are left alone.
void OpenRowAt(Module1& m, int row);
// Removes `row`: rows row+1..999 move one row up and row 999 is emptied.
void RemoveRowAt(Module1& m, int row);

// "N" + "番の項目を、その中のイベントごと削除します。いいですか？"
QString DeleteQuestion(int row);

// The event file a newly named item gets: the first number after
// LastEventFileNumber whose name no item row (1..999) already carries in
// column 2. Refused when no number up to 32767 is left.
struct NewEventFile {
    bool ok = false;
    qint16 number = 0;
    QString fileName;  // "N.pev"
    QString message;   // CounterLimitMessage() when refused
};
NewEventFile NextEventFile(const Module1& m);

QString EventFileName(int number);

// The N of an event file name of the editor's own form, "N.pev" with N from 1
// to 32767 (any letter case, as a folder made on Windows may have it); 0 for
// any other name. Only such a name is ever opened, written or deleted as an
// item's events: a hand-edited list must not turn a picture or the list data
// file into events.
int EventFileNumber(const QString& name);

}  // namespace ListRules
