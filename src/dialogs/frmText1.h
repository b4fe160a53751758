#pragma once
// "リスト項目名編集": edits column 1 of ListTable row ItemIndex (an item name,
// or the start message on row 1003), as TextEntry says.

#include "dialogs/TextEntry.h"

class QLabel;

class frmText1 : public TextEntry {
    Q_OBJECT
public:
    frmText1(Module1& m, Platform& platform, QWidget* parent = nullptr);

private:
    QLabel* lblLabel;
};
