#include "core/EventRules.h"

#include "core/EventKinds.h"
#include "core/ProjectFiles.h"
#include "core/TableRows.h"

#include <algorithm>
#include <limits>

namespace EventRules {

QString ListFullMessage() { return QStringLiteral("すでに999イベント作成され、これ以上は作れません。"); }

QString NoPictureMessage()
{
    return QStringLiteral("このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。");
}

QString NoWavMessage() { return QStringLiteral("このフォルダに wav ファイルはありません。この項目はクリアされます。"); }

namespace {

constexpr TableRows::Range kEventRows{kFirstEventRow, kLastEventRow};

const QString kIgnored = QStringLiteral("「ペルモローダー」では、この項目は無視されます。");

const QString& Kind(const EventRows& rows, int row) { return rows[row][0]; }

// Full-width digits, signs and period, and the minus sign, as typed with a
// Japanese input method switched on.
QChar PlainForm(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19) return QChar(char16_t(u'0' + (u - 0xFF10)));
    switch (u) {
    case 0xFF0B: return QLatin1Char('+');
    case 0xFF0D:
    case 0x2212: return QLatin1Char('-');
    case 0xFF0E: return QLatin1Char('.');
    default: return c;
    }
}

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

bool HoldsEvent(const EventRows& rows, int row)
{
    return row >= 0 && row < Module1::kRows && !Kind(rows, row).isEmpty();
}

// ---- moving, inserting, deleting ----

bool CanMoveUp(int index) { return index > 1; }

bool CanMoveDown(const EventRows& rows, int index)
{
    return HoldsEvent(rows, index) && index < kLastCurrentRow;
}

bool CanMoveUp10(int index) { return index > 10; }

bool CanMoveDown10(const EventRows& rows, int index)
{
    return index < 990 && HoldsEvent(rows, index + 10);
}

int LastEventRow(const EventRows& rows)
{
    for (int row = kLastCurrentRow; row > kFirstEventRow; --row)
        if (HoldsEvent(rows, row)) return row;
    return kFirstEventRow;
}

bool CanInsertAt(const EventRows& rows, int newRow)
{
    return !HoldsEvent(rows, kLastEventRow) && kEventRows.Contains(newRow);
}

void OpenRowAt(EventRows& rows, int row) { TableRows::OpenRowAt(rows, kEventRows, row); }

void RemoveRowAt(EventRows& rows, int row) { TableRows::RemoveRowAt(rows, kEventRows, row); }

QString DeleteQuestion(int row)
{
    return QString::number(row) + QStringLiteral("番のイベントを削除します。いいですか？");
}

int IndexAfterUpperDelete(const EventRows& rows, int index)
{
    if (index <= kFirstEventRow || HoldsEvent(rows, index - 1)) return index;
    return index - 1;
}

std::optional<qint32> ParseWait(const QString& text)
{
    QString s;
    for (QChar c : text.trimmed()) s += PlainForm(c);  // trimmed() takes U+3000 too

    qsizetype i = 0;
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative || s.startsWith(QLatin1Char('+'))) ++i;
    QString whole;
    QString fraction;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('.') && !point)
            point = true;
        else if (IsAsciiDigit(c))
            (point ? fraction : whole) += c;
        else
            return std::nullopt;
    }
    if (whole.isEmpty() && fraction.isEmpty()) return std::nullopt;

    // Decimal digits are rounded as written, so 2.5 is an exact half and goes
    // to 2; a binary double would decide some halves by representation error.
    while (whole.startsWith(QLatin1Char('0'))) whole.remove(0, 1);
    if (whole.size() > 10) return std::nullopt;
    qint64 value = whole.isEmpty() ? 0 : whole.toLongLong();
    if (!fraction.isEmpty()) {
        const QChar first = fraction[0];
        const bool moreThanHalf = std::any_of(fraction.begin() + 1, fraction.end(),
                                              [](QChar c) { return c != QLatin1Char('0'); });
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && (moreThanHalf || value % 2 == 1)))
            ++value;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

bool WaitAccepted(qint32 millis) { return millis >= 1 && millis <= 30000; }

bool FolderHoldsPicture(const QString& folder)
{
    return ProjectFiles::AnyFileMatches(folder, QStringLiteral("*.gif"))
        || ProjectFiles::AnyFileMatches(folder, QStringLiteral("*.jpg"))
        || ProjectFiles::AnyFileMatches(folder, QStringLiteral("*.bmp"));
}

bool FolderHoldsWav(const QString& folder)
{
    return ProjectFiles::AnyFileMatches(folder, QStringLiteral("*.wav"));
}

// ---- events for files brought into the folder ----

QString KindForFile(const QString& name)
{
    for (const char* picture : {".jpg", ".gif", ".bmp"})
        if (name.endsWith(QLatin1String(picture), Qt::CaseInsensitive)) return EventKinds::kPicture;
    if (name.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive)) return EventKinds::kWavOnce;
    return {};
}

int DropRow(const EventRows& rows, int index)
{
    return HoldsEvent(rows, index) ? index + 1 : index;
}

int RoomForInserts(const EventRows& rows, int row)
{
    // After n inserts, row 999 holds what row 999 - n held before them.
    int room = 0;
    while (CanInsertAt(rows, row + room) && !HoldsEvent(rows, kLastEventRow - room)) ++room;
    return room;
}

int InsertFileEvents(EventRows& rows, int row, const QStringList& names)
{
    int inserted = 0;
    for (const QString& name : names) {
        const QString kind = KindForFile(name);
        if (kind.isEmpty()) continue;
        if (!CanInsertAt(rows, row + inserted)) break;
        OpenRowAt(rows, row + inserted);
        rows[row + inserted][0] = kind;
        rows[row + inserted][1] = name;
        ++inserted;
    }
    return inserted;
}

// ---- the preview ----

PreviewAction PreviewOf(const EventRows& rows, int row)
{
    const QString& k = Kind(rows, row);
    if (k == EventKinds::kText || k == EventKinds::kWait) return PreviewAction::ShowText;
    if (k == EventKinds::kPicture) return PreviewAction::ShowPicture;
    if (k == EventKinds::kWavOnce) return PreviewAction::PlayOnce;
    if (k == EventKinds::kWavLoop) return PreviewAction::PlayLoop;
    if (k == EventKinds::kWavStop) return PreviewAction::StopSound;
    if (k == EventKinds::kClearText) return PreviewAction::ClearText;
    return PreviewAction::None;
}

PreviewAction ScreenOf(const EventRows& rows, int row)
{
    return StepOf(rows, row) == PlayStep::Wait ? PreviewAction::None : PreviewOf(rows, row);
}

// ---- play ----

PlayStep StepOf(const EventRows& rows, int row)
{
    if (!HoldsEvent(rows, row)) return PlayStep::End;
    const QString& k = Kind(rows, row);
    if (k == EventKinds::kWait) return PlayStep::Wait;
    if (k == EventKinds::kText) return PlayStep::Pause;
    if (k == EventKinds::kEndless) return PlayStep::BackToStart;
    return PlayStep::Next;
}

int RowAfter(const EventRows& rows, int row)
{
    switch (StepOf(rows, row)) {
    case PlayStep::BackToStart: return kFirstEventRow;
    case PlayStep::End: return 0;
    default: return row < kLastCurrentRow ? row + 1 : 0;
    }
}

int WaitMillisOf(const EventRows& rows, int row)
{
    bool ok = false;
    const int millis = rows[row][1].trimmed().toInt(&ok);
    return ok && millis > 0 ? millis : 0;
}

Forward PlayForward(const EventRows& rows, int index)
{
    Forward f;
    if (!HoldsEvent(rows, index) || index >= kLastCurrentRow) return f;
    f.moves = true;
    f.from = index + 1;
    int row = f.from;
    while (row < kLastCurrentRow && StepOf(rows, row) != PlayStep::Pause && StepOf(rows, row) != PlayStep::End) ++row;
    f.to = row;
    return f;
}

Course CourseOf(const EventRows& rows)
{
    Course course;
    bool waits = false;  // a wait or a text on the way
    int row = kFirstEventRow;
    for (; row <= kLastCurrentRow; ++row) {
        const PlayStep step = StepOf(rows, row);
        if (step == PlayStep::BackToStart || step == PlayStep::End) break;
        waits = waits || step == PlayStep::Wait || step == PlayStep::Pause;
    }
    course.turn = row;
    course.backToStart = row <= kLastCurrentRow && StepOf(rows, row) == PlayStep::BackToStart;
    course.spinsForever = course.backToStart && !waits;
    for (int below = row + 1; below < Module1::kFileRows; ++below) {
        if (!HoldsEvent(rows, below)) continue;
        if (!course.firstUnreached) course.firstUnreached = below;
        ++course.unreached;
    }
    return course;
}

bool SpinsForever(const EventRows& rows) { return CourseOf(rows).spinsForever; }

QString SpinsForeverMessage()
{
    return QStringLiteral("この項目は「エンドレス」までにウエイトもテキストもないため、ローダーでは止まらずに回り続けます。"
                          "ウエイトを入れてください。");
}

QString SkippedRow(const EventRows& rows, int row)
{
    return QStringLiteral("%1（%2）").arg(row).arg(rows[row][1]);
}

QString SkippedRowsMessage(const QStringList& rows)
{
    return QStringLiteral("再生中、ファイルがないか読み込めないため、次の行を飛ばしました。") + QStringLiteral("\r\n")
        + rows.join(QStringLiteral("、"));
}

// ---- messages ----

QString MissingPictureNotice()
{
    return QStringLiteral("指定のグラフィックファイルがありません。消されたか、名前が変更された可能性があります。") + kIgnored;
}

QString MissingWavNotice()
{
    return QStringLiteral("指定のWavファイルがありません。消されたか、名前が変更された可能性があります。") + kIgnored;
}

QString UndecodablePictureNotice()
{
    return QStringLiteral("指定のグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。")
        + kIgnored;
}

QString BadEventFileNameMessage(const QString& name)
{
    return QStringLiteral("この項目のイベントファイル名（%1）が正しくありません。").arg(name);
}

QString MissingEventFileMessage()
{
    return QStringLiteral(
        "指定されたリスト項目のイベントデータが存在しません。ファイルが消されているか、壊れている可能性があります。");
}

QString ForcedEndMessage()
{
    return QStringLiteral("「ペルモ」を強制終了します。");
}

}  // namespace EventRules
