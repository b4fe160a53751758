#pragma once
// The list editor: three rows of ListTable around ItemIndex, the item
// commands, the start message and start graphic (which the top menu shows
// from ListTable once the list editor has closed), and OK that saves the list.
// OK is the only way out: closing through the frame is refused, so event
// files created or deleted meanwhile are always recorded in the list. The
// keys and the wheel run the row buttons (RowKeys).

#include "forms/RowKeys.h"

#include <QDialog>

class ClickLabel;
class Module1;
class Platform;
class QLabel;
class QPushButton;

class frmPelumo4 : public QDialog {
    Q_OBJECT
public:
    frmPelumo4(Module1& m, Platform& platform, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    QPushButton* Command1;
    QPushButton* cmdSakujo1;
    QPushButton* cmdSounyu1;
    QPushButton* cmdBefor;
    QPushButton* cmd10Before;
    QPushButton* cmdHenshu;
    QPushButton* cmdNext;
    QPushButton* cmd10Next;
    QPushButton* cmdSounyu2;
    QPushButton* cmdSakujo2;
    QPushButton* Command2;
    QPushButton* cmdTenken;
    QPushButton* cmdMatome;
    QPushButton* cmdOk;
    QPushButton* cmdYouso;
    QLabel* lblYousoUe;
    QLabel* lblYousoSita;
    QLabel* lblListUe;
    ClickLabel* lblList;
    QLabel* lblListSita;

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void RefreshListView();

    void cmdBefor_Click();
    void cmdNext_Click();
    void cmd10Before_Click();
    void cmd10Next_Click();
    void lblList_Click();

    void cmdHenshu_Click();
    void cmdSounyu1_Click();
    void cmdSounyu2_Click();
    void cmdSakujo1_Click();
    void cmdSakujo2_Click();

    void Command1_Click();
    void Command2_Click();
    void cmdTenken_Click();
    void cmdMatome_Click();
    void cmdOk_Click();

    void RunRowCommand(RowCommand command);
    void GoToRow(int row);

    bool CreateEventFile();
    bool DeleteItem(int row);
    void ShowError(const QString& text);

    Module1& m_;
    Platform& platform_;
};
