#pragma once
// The keyboard and the wheel of an editor's three-row view, turned into the
// commands of its buttons; the window runs each command under that button's
// own condition. The keys count wherever the focus is in the window (a focused
// button would otherwise take ↑ and ↓ to move the focus), the wheel only over
// the rows.

#include <QList>
#include <QObject>

#include <functional>
#include <initializer_list>

class QWidget;

enum class RowCommand {
    Up,      // ↑ or a notch of the wheel up: ▲
    Down,    // ↓ or a notch down: ▼
    Up10,    // Page Up: ▲ 10
    Down10,  // Page Down: ▼ 10
    First,   // Home: row 1
    Last,    // End: the last row in use
    Edit,    // F2: "← 編集"
    Undo,    // Ctrl+Z
    Redo,    // Ctrl+Y, Ctrl+Shift+Z
};

class RowKeys : public QObject {
public:
    // Watches `window` and its buttons for the keys, `rows` for the wheel.
    RowKeys(QWidget* window, std::initializer_list<QWidget*> rows, std::function<void(RowCommand)> run);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QObject*> rows_;
    std::function<void(RowCommand)> run_;
    int wheelRest_ = 0;  // a fine-grained wheel or touchpad sends parts of a notch
};
