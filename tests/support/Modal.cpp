#include "support/Modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <deque>

namespace Modal {

namespace {

struct Pending {
    QString className;  // empty: any
    Handler handler;
    int timeoutMs;
};

std::deque<Pending> g_queue;
bool g_polling = false;
QElapsedTimer g_clock;
QPointer<QWidget> g_lastAnswered;
QStringList g_log;
QStringList g_texts;

void CloseIfOpen(QWidget* w)
{
    if (!w || !w->isVisible()) return;
    if (auto* d = qobject_cast<QDialog*>(w))
        d->done(QDialog::Rejected);
    else
        w->close();
}

void Poll()
{
    if (g_queue.empty()) {
        g_polling = false;
        return;
    }
    // Keep polling while an answer runs: it may open a further modal window.
    QTimer::singleShot(10, Poll);
    QWidget* w = QApplication::activeModalWidget();
    if (w && w != g_lastAnswered && w->isVisible()) {
        Pending p = g_queue.front();
        g_queue.pop_front();
        g_lastAnswered = w;
        g_log.append(w->objectName());
        auto* label = w->findChild<QLabel*>(QStringLiteral("Label1"));
        g_texts.append(label ? label->text() : QString());
        QPointer<QWidget> guard(w);
        if (!p.className.isEmpty() && w->objectName() != p.className) {
            g_log.last() += QStringLiteral(" (expected %1)").arg(p.className);
        } else {
            p.handler(w);
        }
        // Close it if the answer did not, so the test goes on.
        QTimer::singleShot(0, [guard]() { CloseIfOpen(guard); });
        g_clock.restart();
    } else if (g_clock.elapsed() > g_queue.front().timeoutMs) {
        g_log.append(QStringLiteral("(no modal window appeared)"));
        g_texts.append(QString());
        g_queue.pop_front();
        g_clock.restart();
    }
}

// A modal window that no queued answer is waiting for would block the test
// until the suite's time limit. After two seconds it counts as a failure of
// the running test and is closed.
void Guard()
{
    static QPointer<QWidget> seen;
    static QElapsedTimer since;
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || !g_queue.empty() || w == g_lastAnswered) {
        seen = nullptr;
        return;
    }
    if (w != seen) {
        seen = w;
        since.restart();
        return;
    }
    if (since.elapsed() < 2000) return;
    const QString name = w->objectName();
    g_log.append(QStringLiteral("(unexpected %1)").arg(name));
    g_texts.append(QString());
    QTest::qFail(qPrintable(QStringLiteral("a window the test did not expect stayed open: %1").arg(name)),
                 __FILE__, __LINE__);
    seen = nullptr;
    CloseIfOpen(w);
}

void Enqueue(Pending p)
{
    g_queue.push_back(std::move(p));
    if (!g_polling) {
        g_polling = true;
        g_clock.restart();
        QTimer::singleShot(10, Poll);
    }
}

}  // namespace

void Answer(Handler handler, int timeoutMs)
{
    Enqueue({QString(), std::move(handler), timeoutMs});
}

void Expect(const QString& className, Handler handler, int timeoutMs)
{
    Enqueue({className, std::move(handler), timeoutMs});
}

void InstallGuard()
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, Guard);
    timer->start(100);
}

QStringList& Log() { return g_log; }
QStringList& Texts() { return g_texts; }
int Pending() { return static_cast<int>(g_queue.size()); }

void Reset()
{
    g_queue.clear();
    g_log.clear();
    g_texts.clear();
    g_lastAnswered = nullptr;
}

void CommitText(QWidget* lineEdit, const QString& text)
{
    QInputMethodEvent ev;
    ev.setCommitString(text);
    lineEdit->setFocus();
    QApplication::sendEvent(lineEdit, &ev);
}

void Click(QWidget* w, const QString& name)
{
    auto* b = w->findChild<QAbstractButton*>(name);
    if (b) b->click();
}

Handler TypeText(const QString& text)
{
    return [text](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>(QStringLiteral("txtText"));
        if (!edit) return;
        edit->clear();
        CommitText(edit, text);
        Click(w, QStringLiteral("cmdOk"));
    };
}

}  // namespace Modal
