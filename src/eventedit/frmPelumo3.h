#pragma once
// The event editor: three rows of EventTable around EventIndex, the event
// commands, and the preview pane that imitates the player's screen, where
// "▶ ここから再生" shows what its play (ShowPlay) applies.
// "トップメニューに戻る" is the only way out, and it saves: the frame and
// Escape do not close the window. The keys and the wheel run the row
// buttons (RowKeys); Ctrl+Z and Ctrl+Y take back and redo the changes of
// this visit (EventHistory).
// Pictures and sounds dropped on it come into the folder as events below
// the current row.

#include "core/EventHistory.h"
#include "core/ShowPlay.h"
#include "forms/RowKeys.h"
#include "forms/TimerClock.h"

#include <QDialog>
#include <QStringList>

class Module1;
class Platform;
class QGroupBox;
class QLabel;
class QPushButton;

class frmPelumo3 : public QDialog, private PlayView {
    Q_OBJECT
public:
    frmPelumo3(Module1& m, Platform& platform, QWidget* parent = nullptr);

    // False when opening failed (the item's event file is missing or cannot
    // be read, and the user has been told): the window is not to be shown.
    bool Opened() const { return opened_; }

protected:
    void reject() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QGroupBox* fraKasou;
    QLabel* imgA_kasou;
    QLabel* imgB_Kasou;
    QLabel* lblTextKasou;
    QPushButton* cmdNext_Kasou;
    QPushButton* Command3;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label7;
    QLabel* lblNoBefore;
    QLabel* lblYousoBefore;
    QLabel* lblTextUe;
    QLabel* lblNo;
    QLabel* lblYouso;
    QLabel* lblText;
    QLabel* lblNoNext;
    QLabel* lblYousoNext;
    QLabel* lblTextSita;
    QPushButton* cmdSakujoUe;
    QPushButton* cmdSounyuUe;
    QPushButton* cmdBefore;
    QPushButton* cmd10Before;
    QPushButton* cmdHenshu;
    QPushButton* cmdNext;
    QPushButton* cmd10Next;
    QPushButton* cmdSounyuSita;
    QPushButton* cmdSakujoSita;
    QPushButton* cmdPlay;
    QLabel* lblSound;

    // How a row reaches the preview: shown (a move, an edit), passed by
    // "次へ" on its way to the next text, or played. A missing or unreadable
    // file is told at once, except while playing: the play lists it at its end.
    enum class Reach {
        Shown,
        Passed,
        Played
    };

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void RefreshEventView();
    void ShowRows();
    bool ApplyPreview(int row, Reach how);
    QString ShowPicture(int row, Reach how);
    QString PlaySound(int row, Reach how);

    void cmdBefore_Click();
    void cmd10Before_Click();
    void cmdNext_Click();
    void cmd10Next_Click();
    void cmdSounyuUe_Click();
    void cmdSounyuSita_Click();
    void cmdSakujoUe_Click();
    void cmdSakujoSita_Click();
    void cmdHenshu_Click();
    void cmdNext_Kasou_Click();
    void Command3_Click();
    void cmdPlay_Click();

    // What the play asks of the window.
    void Started() override;
    bool Apply(int row) override;
    void Ended(const QStringList& skippedRows) override;
    void Refused(const QString& message) override;
    void EnableCommands(bool enabled);

    // Keys, the wheel and undo.
    void RunRowCommand(RowCommand command);
    void Undoable(void (frmPelumo3::*action)());
    void TakeBack(bool (EventHistory::*step)(EventRows&, int&));
    void GoToRow(int row);

    void ImportDropped(const QStringList& paths);
    void ChooseFile();
    void EmptyRowWithMessage(const QString& message);
    void StopSound();
    void ShowError(const QString& text);

    Module1& m_;
    Platform& platform_;
    TimerClock clock_;  // the QTimer "Timer1"
    ShowPlay play_;
    EventHistory history_;
    bool opened_ = false;
};
