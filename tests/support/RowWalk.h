#pragma once
// Keys, the wheel and buttons on an editor's three rows, as a person uses them.

#include "support/GuiTest.h"

namespace RowWalk {

// Does `input` in `window`: "wheel up NAME" or "wheel down NAME" turns the
// wheel one notch over the control NAME, a button's name clicks it, and
// anything else is a key as QKeySequence writes it ("PgDown", "Ctrl+Z"),
// pressed where the focus is.
inline void Do(QWidget* window, const QString& input)
{
    const QStringList words = input.split(' ');
    if (words[0] == "wheel") {
        auto* over = Control<QWidget>(window, qPrintable(words[2]));
        const QPointF at = QRectF(over->rect()).center();
        const int delta = words[1] == "up" ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep;
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    } else if (auto* button = window->findChild<QPushButton*>(input)) {
        button->click();
    } else {
        const QKeyCombination key = QKeySequence::fromString(input)[0];
        QWidget* focus = window->focusWidget();
        QTest::keyClick(focus ? focus : window, key.key(), key.keyboardModifiers());
    }
}

// Moves `window` to row `row` with its ▲ 10, ▲, ▼ 10 and ▼ (named as the
// window names them); `index` reads the current row.
inline void GoTo(QWidget* window, int row, const std::function<int()>& index, const QStringList& buttons)
{
    for (int i = 0; i < 300 && index() != row; ++i) {
        const int distance = row - index();
        const QString& button = buttons[(distance > 0 ? 2 : 0) + (std::abs(distance) >= 10 ? 0 : 1)];
        Control<QPushButton>(window, qPrintable(button))->click();
    }
    QCOMPARE(index(), row);
}

}  // namespace RowWalk
