#pragma once
// The event editor: three rows of EventTable around EventIndex, the event
// commands, and the preview pane that imitates the player's screen.
// "トップメニューに戻る" is the only way out, and it saves: the frame and
// Escape do not close the window.

#include <QDialog>
#include <QStringList>

class Module1;
class Platform;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

class frmPelumo3 : public QDialog {
    Q_OBJECT
public:
    frmPelumo3(Module1& m, Platform& platform, QWidget* parent = nullptr);

    // False when opening failed (the item's event file is missing or cannot
    // be read, and the user has been told): the window is not to be shown.
    bool Opened() const { return opened_; }

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
    QTimer* Timer1;
    QPushButton* cmdPlay;
    QLabel* lblSound;

    // The timer's tick: public, so that a test can be the clock.
    void Timer1_Timer();

protected:
    void reject() override;

private:
    void Form_Load();
    void RefreshEventView();
    void ApplyPreview(int row);

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

    void PlayFrom(int row);
    void StopPlay();
    void EnableCommands(bool enabled);
    void Notice(const QString& text);

    void ChooseFile();
    void EmptyRowWithMessage(const QString& message);
    void ShowPicture(const QString& name);
    void PlayWavOnce(const QString& fullName);
    void PlayWavLoop(const QString& fullName);
    void StopSound();
    void ShowError(const QString& text);

    Module1& m_;
    Platform& platform_;
    bool opened_ = false;
    bool passing_ = false;    // "次へ" is passing rows on its way
    QString passedPicture_;   // the last picture it passed, shown when it stops
    bool playing_ = false;    // "▶ ここから再生" is playing
    bool paused_ = false;     // ... and waits on a text for "次へ"
    int nextRow_ = 0;         // where the play goes on
    QStringList skipped_;     // rows the play skipped, told when it stops
};
