#include "core/ListRules.h"

#include "core/TableRows.h"

#include <QRegularExpression>

namespace ListRules {

QString ListFullMessage() { return QStringLiteral("すでに999項目作成され、これ以上は作れません。"); }

QString CounterLimitMessage()
{
    return QStringLiteral("イベントファイルの番号が上限（32767）に達しました。これ以上項目を作れません。");
}

namespace {

constexpr int kLast = Module1::kLastItemRow;
constexpr TableRows::Range kItemRows{kFirstItemRow, kLast};

bool InTable(int row) { return row >= 0 && row < Module1::kRows; }

bool NameInUse(const Module1& m, const QString& fileName)
{
    for (int row = kFirstItemRow; row <= kLast; ++row) {
        if (m.ListTable[row][2].compare(fileName, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

}  // namespace

bool IsNamed(const Module1& m, int row)
{
    return InTable(row) && !m.ListTable[row][1].isEmpty();
}

bool HoldsItem(const Module1& m, int row)
{
    return kItemRows.Contains(row) && !m.ListTable[row][2].isEmpty();
}

QString EventFileToRemove(const Module1& m, int row)
{
    if (!kItemRows.Contains(row)) return {};
    const QString name = m.ListTable[row][2];
    if (EventFileNumber(name) == 0) return {};
    for (int other = kFirstItemRow; other <= kLast; ++other) {
        if (other != row && m.ListTable[other][2].compare(name, Qt::CaseInsensitive) == 0) return {};
    }
    return name;
}

bool CanMoveUp(const Module1& m) { return m.ItemIndex > 1; }

bool CanMoveDown(const Module1& m)
{
    return IsNamed(m, m.ItemIndex) && m.ItemIndex < kLast;
}

bool CanMoveUp10(const Module1& m) { return m.ItemIndex > 10; }

bool CanMoveDown10(const Module1& m)
{
    return m.ItemIndex < kLast - 9 && IsNamed(m, m.ItemIndex + 9);
}

int LastNamedRow(const Module1& m)
{
    for (int row = kLast; row > kFirstItemRow; --row)
        if (IsNamed(m, row)) return row;
    return kFirstItemRow;
}

bool IsListFull(const Module1& m) { return HoldsItem(m, kLast); }

bool CanInsertBelow(const Module1& m) { return !IsListFull(m) && m.ItemIndex < kLast; }

void OpenRowAt(Module1& m, int row) { TableRows::OpenRowAt(m.ListTable, kItemRows, row); }

void RemoveRowAt(Module1& m, int row) { TableRows::RemoveRowAt(m.ListTable, kItemRows, row); }

QString DeleteQuestion(int row)
{
    return QString::number(row) + QStringLiteral("番の項目を、その中のイベントごと削除します。いいですか？");
}

QString EventFileName(int number)
{
    return QString::number(number) + QStringLiteral(".pev");
}

int EventFileNumber(const QString& name)
{
    static const QRegularExpression eventName(QStringLiteral("^[1-9][0-9]{0,4}\\.pev$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (!eventName.match(name).hasMatch()) return 0;
    const int number = QStringView(name).chopped(4).toInt();
    return number <= kMaxEventFileNumber ? number : 0;
}

NewEventFile NextEventFile(const Module1& m)
{
    NewEventFile next;
    for (int n = int(m.LastEventFileNumber) + 1; n <= kMaxEventFileNumber; ++n) {
        if (n < 1) continue;
        const QString name = EventFileName(n);
        if (NameInUse(m, name)) continue;
        next.ok = true;
        next.number = qint16(n);
        next.fileName = name;
        return next;
    }
    next.message = CounterLimitMessage();
    return next;
}

}  // namespace ListRules
