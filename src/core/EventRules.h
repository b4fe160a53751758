#pragma once
// Rules of the event editor that need no window: where the navigation
// buttons may move, what the preview does with the current row, and where
// "次へ" stops.

#include "core/Module1.h"

#include <QString>
#include <QStringList>

namespace EventRules {

// The highest current row: the view reads the row below it.
inline constexpr int kLastCurrentRow = 1004;

bool HoldsEvent(const Module1& m, int row);

// Navigation conditions on EventIndex; a button moves only when its
// condition holds.
bool CanMoveUp(const Module1& m);      // ▲: EventIndex > 1
bool CanMoveDown(const Module1& m);    // ▼: the current row holds an event
bool CanMoveUp10(const Module1& m);    // ▲ 10: EventIndex > 10
bool CanMoveDown10(const Module1& m);  // ▼ 10: EventIndex < 990 and row EventIndex + 10 holds an event

// Where "次へ" (play forward to the next text) stops, starting from
// EventIndex, and the rows it applies on the way, in order. Nothing moves
// when the current row holds no event. It stops on the next "テキスト表示"
// row or the first empty row, and at row 1004 at the latest.
struct Forward {
    bool moves = false;
    int from = 0;  // first row applied on the way
    int to = 0;    // row where it stops (applied last)
};
Forward PlayForward(const Module1& m);

// Playing with the player's timing, row by row: what comes after a row.
enum class PlayStep {
    Next,         // on to the next row at once
    Wait,         // on to the next row after the row's milliseconds
    Pause,        // a text: on to the next row when the user asks
    BackToStart,  // "エンドレス": on to row 1 at once
    End,          // an empty row: the play ends here
};
PlayStep StepOf(const Module1& m, int row);
// The milliseconds of a wait row (0 when its number is unusable).
int WaitMillisOf(const Module1& m, int row);

// Whether the item spins forever in the player: an "エンドレス" with neither
// a wait nor a text in the rows from 1 to it.
bool SpinsForever(const Module1& m);
// "この項目は「エンドレス」までにウエイトもテキストもないため、…"
QString SpinsForeverMessage();
// The rows that play skipped (missing or unreadable files), listed once.
QString SkippedRowsMessage(const QStringList& rows);

// What the preview does with a row.
enum class PreviewAction { None, ShowText, ShowPicture, PlayOnce, PlayLoop, StopSound, ClearText };
PreviewAction PreviewOf(const Module1& m, int row);

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
