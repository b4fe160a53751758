#pragma once
// One-button message box: shows ErrorText, beeps as it opens.

#include <QDialog>

class Module1;
class Platform;
class QLabel;
class QPushButton;

class frmError : public QDialog {
    Q_OBJECT
public:
    frmError(Module1& m, Platform& platform, QWidget* parent = nullptr);

private:
    QLabel* Label1;
    QPushButton* Command1;

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void Command1_Click();

    Module1& m_;
    Platform& platform_;
};
