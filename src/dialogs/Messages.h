#pragma once
// The two message boxes as the windows call them: the text goes into its
// slot of the shared state, the box opens modally, the answer is read back.

#include <QString>

class Module1;
class Platform;
class QWidget;

namespace Messages {

// Shows `text` in frmError (ErrorText) over `parent`.
void ShowError(Module1& m, Platform& platform, QWidget* parent, const QString& text);

// Asks `question` in frmYesNo (QuestionText); true when DialogResult is 1.
bool Ask(Module1& m, Platform& platform, QWidget* parent, const QString& question);

}  // namespace Messages
