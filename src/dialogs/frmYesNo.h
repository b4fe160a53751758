#pragma once
// Two-button question box: shows QuestionText, beeps as it opens, answers in
// DialogResult (1 Yes, 0 No). Closing it through the frame counts as No.

#include <QDialog>

class Module1;
class Platform;
class QLabel;
class QPushButton;

class frmYesNo : public QDialog {
    Q_OBJECT
public:
    frmYesNo(Module1& m, Platform& platform, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    QLabel* Label1;
    QPushButton* Command1;
    QPushButton* Command2;

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

    Module1& m_;
    Platform& platform_;
};
