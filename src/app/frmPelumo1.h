#pragma once
// The top menu: the main window of the editor. It starts a new project in a
// folder, loads the project of a folder, opens the list editor and the event
// editor, and quits. Its own failures go to the message line `lblTopText`.

#include <QWidget>

class Module1;
class Platform;
class QCloseEvent;
class QLabel;
class QPushButton;

class frmPelumo1 : public QWidget {
    Q_OBJECT
public:
    frmPelumo1(Module1& m, Platform& platform, QWidget* parent = nullptr);

    // Loads the project of `folder`, as a load through the folder window does
    // (a folder given on the command line or by the file manager).
    void LoadFolder(const QString& folder);

protected:
    // Closing through the frame asks the quit question, as Command1 does.
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* Label1;
    QLabel* Image1;
    QPushButton* cmdSinki;
    QPushButton* cmdLoad;
    QPushButton* cmdlistSakusei;
    QPushButton* cmdSakusei;
    QPushButton* Command1;
    QPushButton* cmdRehearsal;
    QLabel* Label2;
    QLabel* lblPath;
    QLabel* lblTopText;

    void CreateControls();
    void ConnectHandlers();

    void cmdSinki_Click();
    void cmdLoad_Click();
    void cmdListSakusei_Click();
    void cmdSakusei_Click();
    void Command1_Click();
    void cmdRehearsal_Click();

    void LoadChosenFolder();
    bool FolderHasListData() const;
    void FixWindowsNames();
    void ShowEventCommands();
    void ShowStartGraphic(bool report);
    bool AskQuit();
    void ShowError(const QString& text);

    Module1& m_;
    Platform& platform_;
};
