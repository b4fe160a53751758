#include "core/Rehearsal.h"

#include "core/EventRules.h"
#include "core/ListRules.h"

namespace Rehearsal {

namespace {

bool IsPicture(const EventRows& rows, int row)
{
    return EventRules::ScreenOf(rows, row) == EventRules::PreviewAction::ShowPicture;
}

// The first row after `row`, following the rows as play does, for which
// `found` holds; 0 when play ends before one. Each row is met once before
// play comes round again.
template <typename Found>
int FirstAfter(const EventRows& rows, int row, Found found)
{
    int next = EventRules::RowAfter(rows, row);
    for (int met = 0; next != 0 && met < Module1::kRows; ++met) {
        if (found(next)) return next;
        next = EventRules::RowAfter(rows, next);
    }
    return 0;
}

}  // namespace

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

bool StaysOnScreen(const EventRows& rows, int row)
{
    const int stop = FirstAfter(rows, row, [&](int r) {
        const EventRules::PlayStep step = EventRules::StepOf(rows, r);
        return IsPicture(rows, r) || step == EventRules::PlayStep::Wait || step == EventRules::PlayStep::Pause;
    });
    return stop != 0 && !IsPicture(rows, stop);
}

int NextPictureShown(const EventRows& rows, int row)
{
    return FirstAfter(rows, row, [&](int r) { return IsPicture(rows, r) && StaysOnScreen(rows, r); });
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
