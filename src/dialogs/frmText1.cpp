#include "dialogs/frmText1.h"

#include "core/Module1.h"
#include "forms/FormLayout.h"

using namespace FormLayout;

frmText1::frmText1(Module1& m, Platform& platform, QWidget* parent)
    : TextEntry(m, platform, m.ListTable[m.ItemIndex][1],
                {"frmText1", QStringLiteral("リスト項目名編集"), 7110, 2295, QRect(2160, 600, 4215, 700),
                 Font(kMincho, 14.25, false), QRect(5040, 1440, 1335, 615)},
                parent)
{
    lblLabel = AddLabel(this, "lblLabel", QStringLiteral("リスト項目名："), QRect(240, 720, 1815, 495),
                        Font(kGothic, 14.25, true));
}
