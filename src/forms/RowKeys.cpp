#include "forms/RowKeys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWheelEvent>

#include <optional>
#include <utility>

namespace {

std::optional<RowCommand> CommandOf(const QKeyEvent* event)
{
    static const std::pair<QKeyCombination, RowCommand> keys[] = {
        {Qt::Key_Up, RowCommand::Up},
        {Qt::Key_Down, RowCommand::Down},
        {Qt::Key_PageUp, RowCommand::Up10},
        {Qt::Key_PageDown, RowCommand::Down10},
        {Qt::Key_Home, RowCommand::First},
        {Qt::Key_End, RowCommand::Last},
        {Qt::Key_F2, RowCommand::Edit},
        {Qt::CTRL | Qt::Key_Z, RowCommand::Undo},
        {Qt::CTRL | Qt::Key_Y, RowCommand::Redo},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, RowCommand::Redo},
    };
    // The arrows of a numeric keypad come with the keypad modifier.
    const QKeyCombination pressed(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
    for (const auto& [key, command] : keys)
        if (key == pressed) return command;
    return std::nullopt;
}

}  // namespace

RowKeys::RowKeys(QWidget* window, std::initializer_list<QWidget*> rows, std::function<void(RowCommand)> run)
    : QObject(window), rows_(rows.begin(), rows.end()), run_(std::move(run))
{
    window->installEventFilter(this);
    for (QPushButton* button : window->findChildren<QPushButton*>()) button->installEventFilter(this);
    for (QObject* row : rows_) row->installEventFilter(this);
}

bool RowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const std::optional<RowCommand> command = CommandOf(static_cast<QKeyEvent*>(event));
        if (command) run_(*command);
        return command.has_value();
    }
    if (event->type() == QEvent::Wheel && rows_.contains(watched)) {
        wheelRest_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        for (; wheelRest_ >= QWheelEvent::DefaultDeltasPerStep; wheelRest_ -= QWheelEvent::DefaultDeltasPerStep)
            run_(RowCommand::Up);
        for (; wheelRest_ <= -QWheelEvent::DefaultDeltasPerStep; wheelRest_ += QWheelEvent::DefaultDeltasPerStep)
            run_(RowCommand::Down);
        return true;
    }
    return false;
}
