#include "dialogs/frmYesNo.h"

#include "app/FormLayout.h"
#include "app/Module1.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPushButton>

using namespace FormLayout;

frmYesNo::frmYesNo(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    setObjectName(QStringLiteral("frmYesNo"));
    setWindowTitle(QStringLiteral("ＹＥＳ，NO"));
    setModal(true);
    SetClientArea(this, 6930, 3045);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Place(Label1, 360, 240, 6135, 1095);
    Label1->setFont(Font(kGothic, 12, true));
    Label1->setAutoFillBackground(true);
    Label1->setStyleSheet(QStringLiteral("background-color: white;"));
    PlainLabel(Label1);
    Label1->setWordWrap(true);

    Command1 = new QPushButton(QStringLiteral("Yes"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Place(Command1, 1080, 1680, 1935, 735);
    Command1->setFont(Font(kGothic, 12, true));

    Command2 = new QPushButton(QStringLiteral("No"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Place(Command2, 4080, 1680, 1935, 735);
    Command2->setFont(Font(kGothic, 12, true));

    setTabOrder(Command1, Command2);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &frmYesNo::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmYesNo::Command2_Click);

    Form_Load();
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
