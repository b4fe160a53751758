#pragma once
// The rules of an item's events, asked by the event editor, the play and the
// show check: which rows hold events, how the editor moves, inserts and
// deletes, what a row does in the preview, and how play goes through the rows.
//
// A row holds an event when its column 0, the kind, is not empty. Events live
// in rows 1..999; inserts and deletes never touch a row beyond 999. Play goes
// down from a row and ends at the first empty row: whatever lies below it is
// never reached.

#include "core/Module1.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace EventRules {

inline constexpr int kFirstEventRow = 1;
inline constexpr int kLastEventRow = 999;
// The highest current row: the view reads the row below it. Play ends after
// it.
inline constexpr int kLastCurrentRow = 1004;

// Row 0..1005 with a kind in column 0.
bool HoldsEvent(const EventRows& rows, int row);

// ---- moving, inserting, deleting ----

// Navigation conditions on the current row; a button moves only when its
// condition holds.
bool CanMoveUp(int index);                             // ▲: index > 1
bool CanMoveDown(const EventRows& rows, int index);    // ▼: the current row holds an event
bool CanMoveUp10(int index);                           // ▲ 10: index > 10
bool CanMoveDown10(const EventRows& rows, int index);  // ▼ 10: index < 990 and row index + 10 holds an event
// The last row that holds an event, however many empty rows lie before it;
// row 1 when none does.
int LastEventRow(const EventRows& rows);

// "すでに999イベント作成され、これ以上は作れません。"
QString ListFullMessage();
// "このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。"
QString NoPictureMessage();
// "このフォルダに wav ファイルはありません。この項目はクリアされます。"
QString NoWavMessage();

// Whether an insert may open `newRow`: the current row for the upper insert,
// the row below it for the lower one. Refused when row 999 holds an event and
// whenever the new row would leave rows 1..999 (a lower insert on row 999);
// the window then shows ListFullMessage().
bool CanInsertAt(const EventRows& rows, int newRow);

// Rows row..998 move one row down (row 999's old content is lost) and `row`
// is emptied. Rows outside 1..999 are left alone.
void OpenRowAt(EventRows& rows, int row);

// Rows row+1..999 move one row up and row 999 is emptied. Rows outside 1..999
// are left alone.
void RemoveRowAt(EventRows& rows, int row);

// "N番のイベントを削除します。いいですか？", N the row number as the row label shows it.
QString DeleteQuestion(int row);

// The current row after the upper delete has removed row index - 1: one less
// when that row now holds no event (the current row was the empty row after
// the last event, and stays the first empty row), otherwise unchanged.
int IndexAfterUpperDelete(const EventRows& rows, int index);

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

// ---- events for files brought into the folder ----

// The event that shows or plays a file of the folder: "グラフィック表示" for
// a .jpg, .gif or .bmp, "Wav再生" for a .wav (letter case ignored); empty
// for anything else.
QString KindForFile(const QString& name);

// The row where the first of the events for files dropped on the editor
// goes: below the current row, as the lower insert puts one; the current row
// itself when it holds no event, so that no empty row, where play ends, comes
// before them.
int DropRow(const EventRows& rows, int index);

// How many inserts one after another at `row`, row + 1, ... CanInsertAt
// allows: each pushes row 999 out, which must hold no event.
int RoomForInserts(const EventRows& rows, int row);

// Inserts at `row`, row + 1, ... an event for each of `names` (its kind by
// KindForFile, the name as its parameter), as many as RoomForInserts allows;
// how many went in.
int InsertFileEvents(EventRows& rows, int row, const QStringList& names);

// ---- the preview ----

// What the preview does with a row.
enum class PreviewAction {
    None,
    ShowText,
    ShowPicture,
    PlayOnce,
    PlayLoop,
    StopSound,
    ClearText
};
PreviewAction PreviewOf(const EventRows& rows, int row);
// What the audience's screen does with a row: as the preview, except that a
// wait shows nothing (the preview shows its milliseconds to the author).
PreviewAction ScreenOf(const EventRows& rows, int row);

// ---- play ----

// What comes after a row when playing with the player's timing.
enum class PlayStep {
    Next,         // on to the next row at once
    Wait,         // on to the next row after the row's milliseconds
    Pause,        // a text: on to the next row when the user asks
    BackToStart,  // "エンドレス": on to row 1 at once
    End,          // an empty row: the play ends here
};
PlayStep StepOf(const EventRows& rows, int row);
// The row play goes on to after `row`: the next one, row 1 after
// "エンドレス"; 0 after an empty row and after row 1004, where play ends.
int RowAfter(const EventRows& rows, int row);
// The milliseconds of a wait row (0 when its number is unusable).
int WaitMillisOf(const EventRows& rows, int row);

// Where "次へ" (play forward to the next text) stops, starting from the
// current row, and the rows it applies on the way, in order. Nothing moves
// when the current row holds no event. It passes waits and "エンドレス"
// without turning, and stops on the next text, the first empty row, or row
// 1004 at the latest.
struct Forward {
    bool moves = false;
    int from = 0;  // first row applied on the way
    int to = 0;    // row where it stops (applied last)
};
Forward PlayForward(const EventRows& rows, int index);

// An item as play from row 1 meets it: down to the first "エンドレス", which
// turns back to row 1, or to the first empty row, which ends the item. The
// events below that row are never reached.
struct Course {
    int turn = 0;               // that row: the "エンドレス" or the empty row (1005 past row 1004)
    bool backToStart = false;   // `turn` is an "エンドレス"
    bool spinsForever = false;  // ... and no wait or text comes before it
    int firstUnreached = 0;     // the first event below `turn`; 0 when there is none
    int unreached = 0;          // how many events lie below `turn`
};
Course CourseOf(const EventRows& rows);

// Whether the item spins forever in the player: an "エンドレス" with neither
// a wait nor a text in the rows from 1 to it.
bool SpinsForever(const EventRows& rows);
// "この項目は「エンドレス」までにウエイトもテキストもないため、…"
QString SpinsForeverMessage();
// How a row that play skipped (its file missing or unreadable) is listed:
// "N（parameter）".
QString SkippedRow(const EventRows& rows, int row);
// The rows that play skipped, listed once.
QString SkippedRowsMessage(const QStringList& rows);

// ---- messages ----

// The one text of the notices for a picture or wav file that is missing,
// and for a picture that cannot be decoded; each ends with
// "「ペルモローダー」では、この項目は無視されます。".
QString MissingPictureNotice();
QString MissingWavNotice();
QString UndecodablePictureNotice();

// "この項目のイベントファイル名（NAME）が正しくありません。"
QString BadEventFileNameMessage(const QString& name);
// The two messages when the item's event file is missing; the program ends after them.
QString MissingEventFileMessage();
QString ForcedEndMessage();

}  // namespace EventRules
