#pragma once
// "項目選択": picks one list item by its name. OK with an entry selected sets
// ItemIndex to its item number and closes; DialogResult is 1 after OK (also
// while nothing is selected, when the window stays) and 0 after キャンセル or
// a close through the frame.

#include <QDialog>

class Module1;
class Platform;
class QListWidget;
class QPushButton;

class frmList : public QDialog {
    Q_OBJECT
public:
    frmList(Module1& m, Platform& platform, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    QListWidget* lstList;
    QPushButton* Command1;
    QPushButton* Command2;

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

    Module1& m_;
};
