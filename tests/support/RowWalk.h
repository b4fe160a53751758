#pragma once
// An editor open on a show of its own, and keys, the wheel and buttons on its
// three rows as a person uses them.

#include "support/GuiTest.h"
#include "support/Shows.h"

namespace RowWalk {

// `show` written into a folder of its own with `files` (a .bmp is a picture,
// a .wav a short silence, any other file holds its name), and the editor W
// open on its item 1.
template <typename W>
struct Window {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m;
    FakePlatform platform;
    std::unique_ptr<W> w;

    explicit Window(const QList<Shows::Item>& show, const QStringList& files = {})
        : m(Shows::Make(dir.path(), show, {}, {}))
    {
        for (const QString& name : files) QVERIFY(Put(name));
        m->ItemIndex = 1;
        Open();
    }
    bool Put(const QString& name) const
    {
        const QString path = dir.filePath(name);
        if (name.endsWith(".bmp", Qt::CaseInsensitive)) return QImage(40, 30, QImage::Format_RGB32).save(path, "BMP");
        return Bytes::Write(path, name.endsWith(".wav") ? Bytes::Silence() : name.toUtf8());
    }
    void Open()
    {
        w = std::make_unique<W>(*m, platform);
        w->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w->show();
    }
    // The texts of `controls`, joined by '|'.
    QString Shown(const QStringList& controls) const
    {
        QStringList shown;
        for (const QString& name : controls) shown << Text(w.get(), name);
        return shown.join('|');
    }
    QString Files() const { return QDir(dir.path()).entryList(QDir::Files).join(' '); }
};

// Does `input` in `window`: "wheel up NAME" or "wheel down NAME" turns the
// wheel one notch over the control NAME, a button's name clicks it, and
// anything else is a key as QKeySequence writes it ("PgDown", "Ctrl+Z"),
// pressed where the focus is.
inline void Do(QWidget* window, const QString& input)
{
    const QStringList words = input.split(' ');
    if (words[0] == "wheel") {
        auto* over = Control(window, words[2]);
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

struct Step {
    const char* input;   // as Do() takes it
    const char* button;  // what the other window clicks; none: it goes to `row` with its arrows
    int row;             // the current row after the step
};

// Two editors W on `show`: one gets each step's input, the other its button.
// After each step both show the same `view` and the folder the same files.
// `number` is the control that shows the current row's number; `arrows` name
// ▲ 10, ▲, ▼ 10 and ▼.
template <typename W>
void Walk(const QList<Shows::Item>& show, const QStringList& view, const char* number, const QStringList& arrows, const QList<Step>& steps)
{
    Window<W> keys(show);
    Window<W> buttons(show);
    auto current = [&] { return Text(buttons.w.get(), number).toInt(); };
    for (const Step& step : steps) {
        Do(keys.w.get(), step.input);
        if (step.button) Do(buttons.w.get(), step.button);
        for (int i = 0; !step.button && i < 300 && current() != step.row; ++i) {
            const int distance = step.row - current();
            Do(buttons.w.get(), arrows[(distance > 0 ? 2 : 0) + (std::abs(distance) >= 10 ? 0 : 1)]);
        }
        const QString at = QStringLiteral("%1 → %2: ").arg(step.input).arg(step.row);
        QCOMPARE(at + keys.Shown(view), at + buttons.Shown(view));
        QCOMPARE(at + keys.Files(), at + buttons.Files());
        QCOMPARE(at + QString::number(current()), at + QString::number(step.row));
    }
}

}  // namespace RowWalk
