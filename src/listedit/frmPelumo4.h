#pragma once
// The list editor: three rows of ListTable around ItemIndex, the item
// commands, the start message and start graphic, and OK that saves the list.

#include <QDialog>

class Module1;
class Platform;
class QLabel;
class QPushButton;

class frmPelumo4 : public QDialog {
    Q_OBJECT
public:
    // `topMenuImage` is the top menu's picture area `Image1`, where the
    // chosen start graphic is shown.
    frmPelumo4(Module1& m, Platform& platform, QLabel* topMenuImage, QWidget* parent = nullptr);

    QPushButton* cmdOk;

private:
    void cmdOk_Click();

    Module1& m_;
    Platform& platform_;
    QLabel* topMenuImage_;
};
