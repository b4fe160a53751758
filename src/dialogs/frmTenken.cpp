#include "dialogs/frmTenken.h"

#include "core/Module1.h"
#include "core/ShowCheck.h"
#include "forms/FormLayout.h"

#include <QListWidget>
#include <QPushButton>

using namespace FormLayout;

frmTenken::frmTenken(Module1& m, Platform& platform, QWidget* parent)
    : frmTenken(m, platform, QStringLiteral("ショーの点検結果"),
                m.CheckFindings.isEmpty() ? QStringList{ShowCheck::NothingFoundMessage()} : m.CheckFindings, parent)
{
}

frmTenken::frmTenken(Module1& m, Platform&, const QString& title, const QStringList& lines, QWidget* parent)
    : QDialog(parent), m_(m)
{
    CreateControls(title);
    ConnectHandlers();
    Form_Load(lines);
}

void frmTenken::CreateControls(const QString& title)
{
    setObjectName(QStringLiteral("frmTenken"));
    setWindowTitle(title);
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
}

void frmTenken::ConnectHandlers()
{
    connect(cmdOk, &QPushButton::clicked, this, &frmTenken::cmdOk_Click);
}

void frmTenken::Form_Load(const QStringList& lines)
{
    // A finding is one entry, wrapped to the width of the list. Wrapping
    // measures every entry; past a few thousand (a show whose pictures are
    // all gone) each stays one line, so that the window opens at once.
    const bool wrap = lines.size() <= 5000;
    lstKekka->setWordWrap(wrap);
    lstKekka->setUniformItemSizes(!wrap);
    lstKekka->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    lstKekka->addItems(lines);
}

void frmTenken::cmdOk_Click()
{
    accept();
}
