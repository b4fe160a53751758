#include "dialogs/frmError.h"

#include "core/Module1.h"
#include "forms/FormLayout.h"
#include "forms/ScrollingText.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPushButton>

using namespace FormLayout;

frmError::frmError(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void frmError::CreateControls()
{
    setObjectName(QStringLiteral("frmError"));
    setWindowTitle(QStringLiteral("エラー！"));
    setModal(true);
    SetClientArea(this, 5670, 2595);

    Label1 = AddLabel(this, "Label1", QString(),
                      QRect(120, 240, 5415, 1575), Font(kMincho, 12, true));
    Label1->setAutoFillBackground(true);
    Label1->setStyleSheet(QStringLiteral("background-color: white;"));
    Label1->setWordWrap(true);
    ScrollingText::Wrap(Label1);

    Command1 = AddButton(this, "Command1", QStringLiteral("OK"),
                         QRect(4080, 1920, 1215, 615), Font(kGothic, 14.25, true));
    Command1->setDefault(true);
    Command1->setFocus();
}

void frmError::ConnectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &frmError::Command1_Click);
}

void frmError::Form_Load()
{
    platform_.Beep();
    SetWrappedText(Label1, m_.ErrorText);
}

void frmError::Command1_Click()
{
    accept();
}
