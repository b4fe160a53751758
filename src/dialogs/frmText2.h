#pragma once
// "イベントメッセージ作成": edits the message of event row EventIndex, column 1
// of EventTable. OK stores the text exactly as typed and closes on a non-empty
// text; text that the event file cannot hold is refused with a message and
// nothing is stored. Closing through the frame puts back the text the cell had.

#include <QDialog>
#include <QString>

class Module1;
class Platform;
class QLabel;
class QLineEdit;
class QPushButton;

class frmText2 : public QDialog {
    Q_OBJECT
public:
    frmText2(Module1& m, Platform& platform, QWidget* parent = nullptr);

    QLabel* Label1;
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
