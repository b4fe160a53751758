#pragma once
// "イベントメッセージ作成": edits the message of event row EventIndex, column 1
// of EventTable, as TextEntry says.

#include "dialogs/TextEntry.h"

class QLabel;

class frmText2 : public TextEntry {
    Q_OBJECT
public:
    frmText2(Module1& m, Platform& platform, QWidget* parent = nullptr);

private:
    QLabel* Label1;
};
