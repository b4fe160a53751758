#include "dialogs/frmTenken.h"

#include "core/Module1.h"
#include "core/ShowCheck.h"
#include "forms/FormLayout.h"

#include <QListWidget>
#include <QPushButton>

using namespace FormLayout;

frmTenken::frmTenken(Module1& m, Platform&, QWidget* parent) : QDialog(parent), m_(m)
{
    setObjectName(QStringLiteral("frmTenken"));
    setWindowTitle(QStringLiteral("ショーの点検結果"));
    setModal(true);
    SetClientArea(this, 9000, 5400);

    lstKekka = Add<QListWidget>(this, "lstKekka", QRect(120, 120, 8760, 4440), Font(kGothic, 10.5, false));
    lstKekka->setTextElideMode(Qt::ElideNone);
    lstKekka->setResizeMode(QListView::Adjust);
    lstKekka->setSpacing(2);
    lstKekka->setAlternatingRowColors(true);
    lstKekka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstKekka->setSelectionMode(QAbstractItemView::SingleSelection);

    cmdOk = AddButton(this, "cmdOk", QStringLiteral("OK"),
                      QRect(7800, 4680, 1080, 615), Font(kGothic, 12, true));
    cmdOk->setDefault(true);

    setTabOrder(lstKekka, cmdOk);
    cmdOk->setFocus();
    connect(cmdOk, &QPushButton::clicked, this, &frmTenken::cmdOk_Click);

    Form_Load();
}

void frmTenken::Form_Load()
{
    // A finding is one entry, wrapped to the width of the list. Wrapping
    // measures every entry; past a few thousand (a show whose pictures are
    // all gone) each stays one line, so that the window opens at once.
    const bool wrap = m_.CheckFindings.size() <= 5000;
    lstKekka->setWordWrap(wrap);
    lstKekka->setUniformItemSizes(!wrap);
    lstKekka->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    if (m_.CheckFindings.isEmpty())
        lstKekka->addItem(ShowCheck::NothingFoundMessage());
    else
        lstKekka->addItems(m_.CheckFindings);
}

void frmTenken::cmdOk_Click()
{
    accept();
}
