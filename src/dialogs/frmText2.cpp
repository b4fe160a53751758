#include "dialogs/frmText2.h"

#include "core/Module1.h"
#include "forms/FormLayout.h"

using namespace FormLayout;

frmText2::frmText2(Module1& m, Platform& platform, QWidget* parent)
    : TextEntry(m, platform, m.EventTable[m.EventIndex][1],
                {"frmText2", QStringLiteral("イベントメッセージ作成"), 9960, 2235, QRect(0, 960, 9735, 585),
                 Font(kMincho, 12, true), QRect(8400, 1680, 1095, 375)},
                parent)
{
    Label1 = AddLabel(this, "Label1", QStringLiteral("イベントメッセージ"), QRect(120, 360, 1815, 375),
                      Font(kGothic, 9.75, true));
}
