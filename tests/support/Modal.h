#pragma once
// Answering modal windows from a test.
//
//   Modal::Answer([&](QWidget* w) { ... click a button of w ... });
//   window.cmdSomething->click();   // opens the modal window
//
// The answer runs once the expected modal window is active. Whatever the
// answer does, the window is closed afterwards if it is still open, so a
// failed check cannot hang the suite. Answers queue: each runs on the next
// modal window that appears after the previous one was answered.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace Modal {

using Handler = std::function<void(QWidget*)>;

// Answers the next modal window that appears (any class).
void Answer(Handler handler, int timeoutMs = 5000);

// Answers the next modal window, which must be of class `className`
// (object name of the form, for example "frmError"); a different window is
// recorded as a failure in Log() and closed.
void Expect(const QString& className, Handler handler, int timeoutMs = 5000);

// Fails the running test, and closes the window, when a modal window stays
// open for two seconds without a queued answer. Installed by the test main.
void InstallGuard();

// Object names (form names) of the modal windows answered so far, in order,
// and their labels' texts where they have a Label1.
QStringList& Log();
QStringList& Texts();

// Number of queued answers not yet used; tests check it is 0 at the end.
int Pending();

// Drops queued answers and clears the logs.
void Reset();

// Types text into the focused or given line edit as an input method commits
// it (QTest::keyClicks aborts on non-ASCII text).
void CommitText(QWidget* lineEdit, const QString& text);

// Clicks the button named `name` inside `w` (a QAbstractButton).
void Click(QWidget* w, const QString& name);

// An answer for a text entry dialog: replaces the text of its `txtText` with
// `text`, as an input method types it, and clicks its `cmdOk`.
Handler TypeText(const QString& text);

}  // namespace Modal
