#include "dialogs/frmWait.h"

#include "core/EventRules.h"
#include "core/Module1.h"
#include "forms/FormLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormLayout;

frmWait::frmWait(Module1& m, QWidget* parent)
    : QDialog(parent), m_(m)
{
    CreateControls();
    ConnectHandlers();
    // No load step: the box starts empty and the current wait is not shown.
    parameterAtOpening_ = Cell();
}

void frmWait::CreateControls()
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("ウエイト設定"));
    setModal(true);
    SetClientArea(this, 4680, 2145);

    Label1 = AddLabel(this, "Label1",
                      QStringLiteral("何ミリ秒まちますか？　　　　　　　　　（1000で一秒、１～30000まで）"),
                      QRect(240, 240, 3975, 615), Font(kGothic, 12, true));
    Label1->setWordWrap(true);

    Text1 = Add<QLineEdit>(this, "Text1",
                           QRect(240, 1200, 2895, 615), Font(kGothic, 15.75, true));
    NoLengthLimit(Text1);

    Command1 = AddButton(this, "Command1", QStringLiteral("ＯＫ"),
                         QRect(3480, 1200, 855, 615), Font(kGothic, 12, true));
    Command1->setDefault(true);

    setTabOrder(Text1, Command1);
    Text1->setFocus();
}

void frmWait::ConnectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &frmWait::Command1_Click);
}

QString& frmWait::Cell()
{
    return m_.EventTable[m_.EventIndex][1];
}

void frmWait::Command1_Click()
{
    Cell() = QStringLiteral("0");
    const std::optional<qint32> millis = EventRules::ParseWait(Text1->text());
    Text1->clear();
    if (!millis) return;
    m_.WaitMillis = *millis;
    if (!EventRules::WaitAccepted(m_.WaitMillis)) return;
    Cell() = QString::number(m_.WaitMillis);
    accept();
}

void frmWait::reject()
{
    // The frame or Escape: a rejected entry has stored "0"; the row gets back
    // the parameter it had at opening.
    Cell() = parameterAtOpening_;
    QDialog::reject();
}
