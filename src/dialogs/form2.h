#pragma once
// "イベントの選択": picks the kind of event row EventIndex. A click on a kind
// (or Return on the current one) stores it in EventTable(EventIndex, 0), sets
// DialogResult 1 and closes; moving through the list with the arrow keys only
// selects. The cancel button is offered only when the row already holds an
// event. Cancel, Escape and the frame set DialogResult 0 and change nothing.

#include <QDialog>

class Module1;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class form2 : public QDialog {
    Q_OBJECT
public:
    explicit form2(Module1& m, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    QListWidget* lstList;
    QPushButton* Command1;

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void lstList_Click(const QListWidgetItem* item);
    void Command1_Click();

    Module1& m_;
};
