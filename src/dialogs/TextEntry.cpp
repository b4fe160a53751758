#include "dialogs/TextEntry.h"

#include "core/Module1.h"
#include "core/Records.h"
#include "dialogs/Messages.h"
#include "forms/FormLayout.h"

#include <QLineEdit>
#include <QPushButton>

using namespace FormLayout;

TextEntry::TextEntry(Module1& m, Platform& platform, QString& cell, const Form& form, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform), cell_(cell)
{
    CreateControls(form);
    ConnectHandlers();
    Form_Load();
}

void TextEntry::CreateControls(const Form& form)
{
    setObjectName(QLatin1String(form.name));
    setWindowTitle(form.caption);
    setModal(true);
    SetClientArea(this, form.width, form.height);

    txtText = Add<QLineEdit>(this, "txtText", form.box, form.boxFont);
    NoLengthLimit(txtText);
    cmdOk = AddButton(this, "cmdOk", QStringLiteral("OK"), form.ok, Font(kGothic, 14.25, true));
    cmdOk->setDefault(true);

    setTabOrder(txtText, cmdOk);
    txtText->setFocus();
}

void TextEntry::ConnectHandlers()
{
    connect(cmdOk, &QPushButton::clicked, this, &TextEntry::cmdOk_Click);
}

void TextEntry::Form_Load()
{
    textAtOpening_ = cell_;
    txtText->setText(cell_);
}

void TextEntry::cmdOk_Click()
{
    const QString text = txtText->text();
    const QString problem = Records::TextProblem(text);
    if (!problem.isEmpty()) {
        Messages::ShowError(m_, platform_, this, problem);
        return;
    }
    cell_ = text;
    if (!cell_.isEmpty()) accept();
}

void TextEntry::reject()
{
    // The frame or Escape: the cell gets back what it held at opening, also
    // after OK has stored an empty text.
    cell_ = textAtOpening_;
    QDialog::reject();
}
