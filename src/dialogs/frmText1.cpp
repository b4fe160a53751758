#include "dialogs/frmText1.h"

#include "forms/FormLayout.h"
#include "core/Module1.h"
#include "dialogs/Messages.h"
#include "core/Records.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormLayout;

frmText1::frmText1(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    setObjectName(QStringLiteral("frmText1"));
    setWindowTitle(QStringLiteral("リスト項目名編集"));
    setModal(true);
    SetClientArea(this, 7110, 2295);

    lblLabel = AddLabel(this, "lblLabel", QStringLiteral("リスト項目名："),
                        QRect(240, 720, 1815, 495), Font(kGothic, 14.25, true));

    txtText = Add<QLineEdit>(this, "txtText",
                             QRect(2160, 600, 4215, 700), Font(kMincho, 14.25, false));
    NoLengthLimit(txtText);

    cmdOk = AddButton(this, "cmdOk", QStringLiteral("OK"),
                      QRect(5040, 1440, 1335, 615), Font(kGothic, 14.25, true));
    cmdOk->setDefault(true);

    setTabOrder(txtText, cmdOk);
    txtText->setFocus();
    connect(cmdOk, &QPushButton::clicked, this, &frmText1::cmdOk_Click);

    Form_Load();
}

QString& frmText1::Cell()
{
    return m_.ListTable[m_.ItemIndex][1];
}

void frmText1::Form_Load()
{
    textAtOpening_ = Cell();
    txtText->setText(Cell());
}

void frmText1::cmdOk_Click()
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

void frmText1::reject()
{
    // The frame or Escape: the cell gets back what it held at opening, also
    // after OK has stored an empty text.
    Cell() = textAtOpening_;
    QDialog::reject();
}
