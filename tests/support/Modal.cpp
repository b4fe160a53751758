#include "support/Modal.h"

#include "support/GuiTest.h"

#include <QtTest>
#include <QtWidgets>

#include <deque>

namespace Modal {

namespace {

std::deque<std::pair<QString, Handler>> g_queue;
Handler g_others;
QPointer<QWidget> g_unexpected;
QElapsedTimer g_since;  // since g_unexpected was seen
QStringList g_texts;

void Close(QWidget* w)
{
    if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
        d->done(QDialog::Rejected);
    else if (w && w->isVisible())
        w->close();
}

void Poll()
{
    QTimer::singleShot(10, Poll);  // first: an answer may open a further modal window
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || w->property("answered").toBool()) return;
    if (g_queue.empty() && !g_others) {
        if (w != g_unexpected) {
            g_unexpected = w;
            g_since.restart();
        }
        if (g_since.elapsed() < 2000) return;
        QTest::qFail(qPrintable("a window the test did not expect stayed open: " + w->objectName()), __FILE__, __LINE__);
        return Close(w);
    }
    w->setProperty("answered", true);
    const auto* label = w->findChild<QLabel*>(QStringLiteral("Label1"));
    g_texts.append(label ? label->text() : QString());
    auto [form, handler] = g_queue.empty() ? std::pair{w->objectName(), g_others} : g_queue.front();
    if (!g_queue.empty()) g_queue.pop_front();
    if (w->objectName() != form)
        QTest::qFail(qPrintable(w->objectName() + " opened, not " + form), __FILE__, __LINE__);
    else
        handler(w);
    QTimer::singleShot(0, [guard = QPointer<QWidget>(w)] { Close(guard); });
}

}  // namespace

void Expect(const QString& form, Handler handler) { g_queue.emplace_back(form, std::move(handler)); }
void Expect(const QString& form, const QString& button) { Expect(form, Press(button)); }
void AnswerOthers(Handler handler) { g_others = std::move(handler); }
void InstallGuard() { QTimer::singleShot(10, Poll); }
QStringList& Texts() { return g_texts; }
int Pending() { return int(g_queue.size()); }
void Reset()
{
    g_queue.clear();
    g_texts.clear();
    g_others = {};
}

void CommitText(QWidget* lineEdit, const QString& text)
{
    QInputMethodEvent ev;
    ev.setCommitString(text);
    lineEdit->setFocus();
    QApplication::sendEvent(lineEdit, &ev);
}

void Click(QWidget* w, const QString& button) { Control<QAbstractButton>(w, button)->click(); }
Handler Press(const QString& button)
{
    return [button](QWidget* w) { Click(w, button); };
}
void ClickOpening(QWidget* window, const QString& button, const QString& form, Handler answer)
{
    Expect(form, std::move(answer));
    Click(window, button);
}

Handler Enter(const QString& value)
{
    return [value](QWidget* d) {
        if (auto* edit = d->findChild<QLineEdit*>()) {
            edit->clear();
            CommitText(edit, value);
        }
        auto* list = d->findChild<QListWidget*>();
        for (QListWidgetItem* found : list ? list->findItems(value, Qt::MatchExactly) : QList<QListWidgetItem*>()) {
            list->setCurrentItem(found);
            emit list->itemClicked(found);
        }
        if (d->objectName() != "form2") Click(d, d->findChild<QAbstractButton*>("cmdOk") ? "cmdOk" : "Command1");
    };
}

}  // namespace Modal
