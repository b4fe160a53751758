#pragma once
// What the rehearsal of a whole show decides without a window: the items its
// list offers, the item a typed number chooses, which pictures stay on the
// screen and which of them come next, and the files it skipped, told once
// when it ends. The rows are played by ShowPlay; these only look ahead.

#include "core/Module1.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace Rehearsal {

// The names of the items the list offers: rows 1.. up to the first unnamed
// row, as the item picker lists them. Item N is at index N - 1.
QStringList ItemNames(const Module1& m);

// Choosing an item by typing its number on the keyboard.
class NumberTyping {
public:
    // Digits typed less than this apart make one number.
    static constexpr qint64 kPauseMillis = 1000;

    // The item (1..count) chosen by `digit` typed at `millis`, or 0 when the
    // digit chooses none. A digit extends the number typed before it; a
    // number beyond the list starts again from the digit alone.
    int Type(int digit, qint64 millis, int count);

private:
    int number_ = 0;
    qint64 typedAt_ = 0;
};

// Whether the picture of `row` stays on the screen: play stops on a wait or
// a text after it before it meets another picture or the end of the item.
// One that does not stay is replaced before anything is painted.
bool StaysOnScreen(const EventRows& rows, int row);

// The row of the next picture after `row` that stays on the screen, following
// the rows as play does (back to row 1 after "エンドレス"); 0 when play ends
// before one. It may be `row` itself, shown again after "エンドレス".
int NextPictureShown(const EventRows& rows, int row);

// The files a rehearsal skipped, each once, in the order met.
class Skipped {
public:
    // The rows that the play of item `itemName` skipped, as ShowPlay lists them.
    void AddRows(const QString& itemName, const QStringList& rows);
    // The start graphic `fileName`, missing or undecodable.
    void AddStartGraphic(const QString& fileName);
    // EventRules::SkippedRowsMessage of them all; empty when none was skipped.
    QString Message() const;

private:
    void Add(const QString& entry);

    QStringList entries_;
};

}  // namespace Rehearsal
