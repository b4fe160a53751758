#pragma once
// "ファイル選択": picks a file of the project folder. With CallerMode 3 (list
// editor) it lists pictures and stores the choice as the start graphic,
// ListTable(1002, 1); otherwise it lists the files for the kind in
// EventTable(EventIndex, 0) and stores the choice in EventTable(EventIndex, 1).
// Only names that a project file can hold are listed. OK sets DialogResult 1
// and closes when a file is selected; the frame stores nothing and sets 0.
// "ほかの場所から取り込む…" brings files of the listed kind in from anywhere
// and selects the first that came in.

#include <QDialog>

class Module1;
class Platform;
class QLabel;
class QListWidget;
class QPushButton;

class frmFilesentaku : public QDialog {
    Q_OBJECT
public:
    frmFilesentaku(Module1& m, Platform& platform, QWidget* parent = nullptr);

    static const QString kPicturePattern;  // "*.gif;*.jpg;*.bmp"
    static const QString kSoundPattern;    // "*.wav"

protected:
    void reject() override;

private:
    QLabel* Label1;
    QListWidget* File1;
    QPushButton* Command1;

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void ListFiles();
    void cmdTorikomi_Click();
    void Command1_Click();
    bool StartGraphicMode() const;
    QString WindowsProblem(const QString& name) const;

    QPushButton* cmdTorikomi;

    Module1& m_;
    Platform& platform_;
    QString patterns_;  // what the list shows
};
