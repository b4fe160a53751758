#include "dialogs/form2.h"

#include "core/EventKinds.h"
#include "core/Module1.h"
#include "forms/FormLayout.h"

#include <QListWidget>
#include <QPushButton>

using namespace FormLayout;

form2::form2(Module1& m, QWidget* parent)
    : QDialog(parent), m_(m)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void form2::CreateControls()
{
    setObjectName(QStringLiteral("form2"));
    setWindowTitle(QStringLiteral("イベントの選択"));
    setModal(true);
    SetClientArea(this, 4650, 2955);

    lstList = Add<QListWidget>(this, "lstList",
                               QRect(240, 360, 3135, 2220), Font(kGothic, 12, false));
    lstList->setSelectionMode(QAbstractItemView::SingleSelection);

    Command1 = AddButton(this, "Command1", QStringLiteral("ｷｬﾝｾﾙ"),
                         QRect(3600, 2040, 855, 495), Font(kGothic, 9, true));
    // Return on the list chooses the current kind; it must never fall through
    // to the cancel button as the dialog's default.
    Command1->setAutoDefault(false);

    setTabOrder(lstList, Command1);
    lstList->setFocus();
}

void form2::ConnectHandlers()
{
    // A click chooses at once. Activation covers Return and Enter; where a
    // style activates on a single click as well, the second call finds the
    // window closed.
    connect(lstList, &QListWidget::itemClicked, this, &form2::lstList_Click);
    connect(lstList, &QListWidget::itemActivated, this, &form2::lstList_Click);
    connect(Command1, &QPushButton::clicked, this, &form2::Command1_Click);
}

void form2::Form_Load()
{
    Command1->setVisible(!m_.EventTable[m_.EventIndex][0].isEmpty());
    lstList->addItems(EventKinds::kAll);
}

void form2::lstList_Click(const QListWidgetItem* item)
{
    // The entry clicked, or the current one on Return, is the choice.
    if (!isVisible()) return;
    m_.DialogResult = 1;
    const QString kind = item ? item->text() : QString();
    if (kind.isEmpty()) return;
    m_.EventTable[m_.EventIndex][0] = kind;
    accept();
}

void form2::Command1_Click()
{
    m_.DialogResult = 0;
    QDialog::reject();
}

void form2::reject()
{
    // Escape or the frame, offered also on an empty row where the cancel
    // button is hidden: the same as Cancel, the row stays as it was.
    Command1_Click();
}
