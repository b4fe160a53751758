#pragma once
// "ウエイト設定": sets the wait of event row EventIndex, column 1 of
// EventTable, in milliseconds. The box opens empty. Every press of "ＯＫ"
// first stores "0", then stores a number from 1 to 30000 and closes, or
// leaves the window open; the box is emptied either way. Closing through the
// frame puts back the parameter the row had when the window opened.

#include <QDialog>
#include <QString>

class Module1;
class QLabel;
class QLineEdit;
class QPushButton;

class frmWait : public QDialog {
    Q_OBJECT
public:
    explicit frmWait(Module1& m, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;

    void CreateControls();
    void ConnectHandlers();
    void Command1_Click();
    QString& Cell();

    Module1& m_;
    QString parameterAtOpening_;
};
