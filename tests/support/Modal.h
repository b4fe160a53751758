#pragma once
// Answering modal windows from a test:
//
//   Modal::Expect("frmError");   // answered with its Command1
//   window.cmdSomething->click();  // opens the modal window
//
// Answers queue; each runs on the next modal window that appears, which must
// be the form named, and the window is closed afterwards if still open. A
// window nothing answers fails the running test after two seconds and is closed.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace Modal {

using Handler = std::function<void(QWidget*)>;

void Expect(const QString& form, Handler handler);
void Expect(const QString& form, const QString& button = QStringLiteral("Command1"));  // clicks it
void AnswerOthers(Handler handler);                                                    // any window while no answer is queued, until Reset()
void InstallGuard();                                                                   // by the test main
QStringList& Texts();                                                                  // the Label1 text of each window answered ("" without one)
int Pending();                                                                         // queued answers not yet used: 0 at the end of a test
void Reset();                                                                          // drops queued answers and Texts()

// Types into a line edit as an input method commits text (QTest::keyClicks
// aborts on non-ASCII text).
void CommitText(QWidget* lineEdit, const QString& text);
void Click(QWidget* w, const QString& button);
Handler Press(const QString& button);  // clicks `button` of the window it answers
// Clicks `button` of `window`, which opens `form`, answered by `answer`.
void ClickOpening(QWidget* window, const QString& button, const QString& form, Handler answer = Press("Command1"));
// Answers an entry or picker dialog with `value`: typed into its box or chosen in its list, then
// OK (cmdOk or Command1; the kind picker form2 has none: a click chooses).
Handler Enter(const QString& value);

}  // namespace Modal
