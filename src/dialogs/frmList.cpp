#include "dialogs/frmList.h"

#include "core/Module1.h"
#include "forms/FormLayout.h"

#include <QListWidget>
#include <QPushButton>

using namespace FormLayout;

frmList::frmList(Module1& m, Platform&, QWidget* parent) : QDialog(parent), m_(m)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void frmList::CreateControls()
{
    setObjectName(QStringLiteral("frmList"));
    setWindowTitle(QStringLiteral("項目選択"));
    setModal(true);
    setFont(Font(kGothic, 12, false));
    SetClientArea(this, 6120, 3015);

    lstList = Add<QListWidget>(this, "lstList", QRect(120, 120, 4455, 2625), Font(kGothic, 14.25, false));
    lstList->setSelectionMode(QAbstractItemView::SingleSelection);
    Command1 = AddButton(this, "Command1", QStringLiteral("OK"),
                         QRect(4800, 1560, 1095, 615), Font(kGothic, 14.25, true));
    Command2 = AddButton(this, "Command2", QStringLiteral("キャンセル"),
                         QRect(4800, 2280, 1095, 495), Font(kGothic, 9, true));

    setTabOrder(lstList, Command1);
    setTabOrder(Command1, Command2);
    lstList->setFocus();
}

void frmList::ConnectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &frmList::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmList::Command2_Click);
    // A double click on a name is a choice, as OK after a click.
    connect(lstList, &QListWidget::itemDoubleClicked, this, &frmList::Command1_Click);
}

void frmList::Form_Load()
{
    // Item names from row 1 on; the first empty name ends the list.
    for (int row = 1; row <= Module1::kLastItemRow && !m_.ListTable[row][1].isEmpty(); ++row)
        lstList->addItem(m_.ListTable[row][1]);
    lstList->setCurrentRow(-1);
}

void frmList::Command1_Click()
{
    m_.DialogResult = 1;
    const QListWidgetItem* item = lstList->currentItem();
    if (!item || !item->isSelected() || item->text().isEmpty()) return;
    m_.ItemIndex = static_cast<qint16>(lstList->row(item) + 1);
    accept();
}

void frmList::Command2_Click()
{
    m_.DialogResult = 0;
    QDialog::reject();
}

void frmList::reject()
{
    // Escape or the window frame: the same as キャンセル.
    Command2_Click();
}
