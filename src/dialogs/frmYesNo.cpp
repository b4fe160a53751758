#include "dialogs/frmYesNo.h"

#include "core/Module1.h"
#include "forms/FormLayout.h"
#include "forms/ScrollingText.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPushButton>

using namespace FormLayout;

frmYesNo::frmYesNo(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void frmYesNo::CreateControls()
{
    setObjectName(QStringLiteral("frmYesNo"));
    setWindowTitle(QStringLiteral("ＹＥＳ，NO"));
    setModal(true);
    SetClientArea(this, 6930, 3045);

    Label1 = AddLabel(this, "Label1", QString(),
                      QRect(360, 240, 6135, 1095), Font(kGothic, 12, true));
    Label1->setAutoFillBackground(true);
    Label1->setStyleSheet(QStringLiteral("background-color: white;"));
    Label1->setWordWrap(true);
    ScrollingText::Wrap(Label1);

    Command1 = AddButton(this, "Command1", QStringLiteral("Yes"),
                         QRect(1080, 1680, 1935, 735), Font(kGothic, 12, true));

    Command2 = AddButton(this, "Command2", QStringLiteral("No"),
                         QRect(4080, 1680, 1935, 735), Font(kGothic, 12, true));

    setTabOrder(Command1, Command2);
    Command1->setFocus();
}

void frmYesNo::ConnectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &frmYesNo::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmYesNo::Command2_Click);
}

void frmYesNo::Form_Load()
{
    platform_.Beep();
    Label1->setText(m_.QuestionText);
}

void frmYesNo::Command1_Click()
{
    m_.DialogResult = 1;
    accept();
}

void frmYesNo::Command2_Click()
{
    m_.DialogResult = 0;
    QDialog::reject();
}

void frmYesNo::reject()
{
    // Escape or the window frame: the same as No.
    Command2_Click();
}
