#include "dialogs/frmText2.h"

#include "core/Module1.h"
#include "core/Records.h"
#include "dialogs/Messages.h"
#include "forms/FormLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormLayout;

frmText2::frmText2(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    setObjectName(QStringLiteral("frmText2"));
    setWindowTitle(QStringLiteral("イベントメッセージ作成"));
    setModal(true);
    SetClientArea(this, 9960, 2235);

    Label1 = AddLabel(this, "Label1", QStringLiteral("イベントメッセージ"),
                      QRect(120, 360, 1815, 375), Font(kGothic, 9.75, true));

    txtText = Add<QLineEdit>(this, "txtText",
                             QRect(0, 960, 9735, 585), Font(kMincho, 12, true));
    NoLengthLimit(txtText);

    cmdOk = AddButton(this, "cmdOk", QStringLiteral("OK"),
                      QRect(8400, 1680, 1095, 375), Font(kGothic, 14.25, true));
    cmdOk->setDefault(true);

    setTabOrder(txtText, cmdOk);
    txtText->setFocus();
    connect(cmdOk, &QPushButton::clicked, this, &frmText2::cmdOk_Click);

    Form_Load();
}

QString& frmText2::Cell()
{
    return m_.EventTable[m_.EventIndex][1];
}

void frmText2::Form_Load()
{
    textAtOpening_ = Cell();
    txtText->setText(Cell());
}

void frmText2::cmdOk_Click()
{
    const QString text = txtText->text();
    const QString problem = Records::TextProblem(text);
    if (!problem.isEmpty()) {
        Messages::ShowError(m_, platform_, this, problem);
        return;
    }
    Cell() = text;
    if (!Cell().isEmpty()) accept();
}

void frmText2::reject()
{
    // The frame or Escape: the cell gets back what it held at opening, also
    // after OK has stored an empty text.
    Cell() = textAtOpening_;
    QDialog::reject();
}
