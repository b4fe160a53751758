#pragma once
// Rules of the event editor that need no window: which rows hold events, when
// an insert is refused, how rows shift on insert and delete, how the wait
// dialog reads its entry, and whether the project folder has the media files
// an event kind needs.
//
// A row holds an event when its column 0, the kind, is not empty. Events live
// in rows 1..999; the shifts never touch a row beyond 999.

#include "core/Module1.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace EventEditing {

inline constexpr int kFirstEventRow = 1;
inline constexpr int kLastEventRow = 999;

// "すでに999イベント作成され、これ以上は作れません。"
extern const QString kListFullMessage;
// "番のイベントを削除します。いいですか？"
extern const QString kDeleteQuestionTail;
// "このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。"
extern const QString kNoPictureMessage;
// "このフォルダに wav ファイルはありません。この項目はクリアされます。"
extern const QString kNoWavMessage;

// Row 0..1005 with a kind in column 0.
bool HoldsEvent(const Module1& m, int row);

// Whether an insert may open `newRow`: EventIndex for the upper insert,
// EventIndex + 1 for the lower one. Refused when row 999 holds an event and
// whenever the new row would leave rows 1..999 (a lower insert on row 999);
// the window then shows kListFullMessage.
bool CanInsertAt(const Module1& m, int newRow);

// Rows row..998 move one row down (row 999's old content is lost) and both
// columns of `row` are emptied. Rows outside 1..999 are left alone.
void OpenRowAt(Module1& m, int row);

// Rows row+1..999 move one row up and row 999 is emptied. Rows outside 1..999
// are left alone.
void RemoveRowAt(Module1& m, int row);

// "N" + kDeleteQuestionTail, N the row number as the row label shows it.
QString DeleteQuestion(int row);

// The current row after the upper delete has removed row EventIndex - 1: one
// less when that row now holds no event (the current row was the empty row
// after the last event, and stays the first empty row), otherwise unchanged.
int IndexAfterUpperDelete(const Module1& m);

// The wait dialog's entry as a 32-bit integer, or nothing when it is not a
// number: blanks around it (also the full-width blank) are ignored, a sign is
// allowed, a decimal fraction is rounded to the nearest integer with halves
// going to the even neighbour. Full-width digits, signs and period are read as
// their plain forms. No exponents, no thousands separators; a value outside
// the 32-bit range is nothing.
std::optional<qint32> ParseWait(const QString& text);

// A wait from 1 to 30000 milliseconds.
bool WaitAccepted(qint32 millis);

// Whether `folder` holds an ordinary file matching "*.gif", "*.jpg" or
// "*.bmp" / "*.wav", letter case ignored.
bool FolderHoldsPicture(const QString& folder);
bool FolderHoldsWav(const QString& folder);

}  // namespace EventEditing
