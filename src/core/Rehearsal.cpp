#include "core/Rehearsal.h"

#include "core/EventRules.h"
#include "core/ListRules.h"

namespace Rehearsal {

QStringList ItemNames(const Module1& m)
{
    QStringList names;
    for (int row = ListRules::kFirstItemRow; row <= Module1::kLastItemRow && ListRules::IsNamed(m, row); ++row)
        names << m.ListTable[row][1];
    return names;
}

int NumberTyping::Type(int digit, qint64 millis, int count)
{
    const bool goesOn = number_ > 0 && millis - typedAt_ < kPauseMillis;
    typedAt_ = millis;
    number_ = goesOn ? number_ * 10 + digit : digit;
    if (number_ > count) number_ = digit;
    if (number_ < 1 || number_ > count) number_ = 0;
    return number_;
}

int NextPictureRow(const EventRows& rows, int row)
{
    // Each row is met once before play comes round again.
    int next = EventRules::RowAfter(rows, row);
    for (int met = 0; next != 0 && met < Module1::kRows; ++met) {
        if (EventRules::ScreenOf(rows, next) == EventRules::PreviewAction::ShowPicture) return next;
        next = EventRules::RowAfter(rows, next);
    }
    return 0;
}

void Skipped::AddRows(const QString& itemName, const QStringList& rows)
{
    for (const QString& row : rows) Add(QStringLiteral("「%1」%2").arg(itemName, row));
}

void Skipped::AddStartGraphic(const QString& fileName)
{
    Add(QStringLiteral("スタートグラフィック（%1）").arg(fileName));
}

QString Skipped::Message() const
{
    return entries_.isEmpty() ? QString() : EventRules::SkippedRowsMessage(entries_);
}

void Skipped::Add(const QString& entry)
{
    if (!entries_.contains(entry)) entries_ << entry;
}

}  // namespace Rehearsal
