#include "core/EventEditing.h"

#include "core/ProjectFiles.h"

#include <algorithm>
#include <limits>

namespace EventEditing {

const QString kListFullMessage = QStringLiteral("すでに999イベント作成され、これ以上は作れません。");
const QString kDeleteQuestionTail = QStringLiteral("番のイベントを削除します。いいですか？");
const QString kNoPictureMessage = QStringLiteral(
    "このフォルダにグラフィックファイル（gif,bmp,jpg）はありません。この項目はクリアされます。");
const QString kNoWavMessage =
    QStringLiteral("このフォルダに wav ファイルはありません。この項目はクリアされます。");

namespace {

bool IsEventRow(int row) { return row >= kFirstEventRow && row <= kLastEventRow; }

void CopyRow(Module1& m, int from, int to)
{
    m.EventTable[to][0] = m.EventTable[from][0];
    m.EventTable[to][1] = m.EventTable[from][1];
}

void EmptyRow(Module1& m, int row)
{
    m.EventTable[row][0].clear();
    m.EventTable[row][1].clear();
}

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

bool HoldsEvent(const Module1& m, int row)
{
    return row >= 0 && row < Module1::kRows && !m.EventTable[row][0].isEmpty();
}

bool CanInsertAt(const Module1& m, int newRow)
{
    return !HoldsEvent(m, kLastEventRow) && IsEventRow(newRow);
}

void OpenRowAt(Module1& m, int row)
{
    if (!IsEventRow(row)) return;
    for (int r = kLastEventRow - 1; r >= row; --r) CopyRow(m, r, r + 1);
    EmptyRow(m, row);
}

void RemoveRowAt(Module1& m, int row)
{
    if (!IsEventRow(row)) return;
    for (int r = row; r <= kLastEventRow - 1; ++r) CopyRow(m, r + 1, r);
    EmptyRow(m, kLastEventRow);
}

QString DeleteQuestion(int row)
{
    return QString::number(row) + kDeleteQuestionTail;
}

int IndexAfterUpperDelete(const Module1& m)
{
    if (m.EventIndex <= kFirstEventRow || HoldsEvent(m, m.EventIndex - 1)) return m.EventIndex;
    return m.EventIndex - 1;
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

}  // namespace EventEditing
