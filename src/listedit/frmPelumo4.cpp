#include "listedit/frmPelumo4.h"

#include "app/FormLayout.h"
#include "app/Module1.h"

#include <QPushButton>

using namespace FormLayout;

// Interim window until the list editor is built: only OK, which closes.
frmPelumo4::frmPelumo4(Module1& m, Platform& platform, QLabel* topMenuImage, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform), topMenuImage_(topMenuImage)
{
    setObjectName(QStringLiteral("frmPelumo4"));
    setWindowTitle(QStringLiteral("ペルモ  リスト編集画面"));
    SetClientArea(this, 9450, 4995);
    cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    Place(cmdOk, 8475, 4320, 855, 615);
    connect(cmdOk, &QPushButton::clicked, this, &frmPelumo4::cmdOk_Click);
}

void frmPelumo4::cmdOk_Click()
{
    accept();
}
