#pragma once
// "リスト項目名編集": edits column 1 of ListTable row ItemIndex (an item name,
// or the start message on row 1003). OK stores the text and closes on a
// non-empty text; text that the list data file cannot hold is refused with a
// message. Closing through the frame puts back the text the cell had.

#include <QDialog>
#include <QString>

class Module1;
class Platform;
class QLabel;
class QLineEdit;
class QPushButton;

class frmText1 : public QDialog {
    Q_OBJECT
public:
    frmText1(Module1& m, Platform& platform, QWidget* parent = nullptr);

    QLabel* lblLabel;
    QLineEdit* txtText;
    QPushButton* cmdOk;

protected:
    void reject() override;

private:
    void Form_Load();
    void cmdOk_Click();
    QString& Cell();

    Module1& m_;
    Platform& platform_;
    QString textAtOpening_;
};
