#include "dialogs/Messages.h"

#include "core/Module1.h"
#include "dialogs/frmError.h"
#include "dialogs/frmYesNo.h"

namespace Messages {

void ShowError(Module1& m, Platform& platform, QWidget* parent, const QString& text)
{
    m.ErrorText = text;
    frmError error(m, platform, parent);
    error.exec();
}

bool Ask(Module1& m, Platform& platform, QWidget* parent, const QString& question)
{
    m.QuestionText = question;
    frmYesNo dialog(m, platform, parent);
    dialog.exec();
    return m.DialogResult == 1;
}

}  // namespace Messages
