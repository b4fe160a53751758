#pragma once
// "ファイル選択": picks a file of the project folder. With CallerMode 3 (list
// editor) it lists pictures and stores the choice as the start graphic,
// ListTable(1002, 1); otherwise it lists the files for the kind in
// EventTable(EventIndex, 0) and stores the choice in EventTable(EventIndex, 1).
// Only names that a project file can hold are listed. OK sets DialogResult 1
// and closes when a file is selected; the frame stores nothing and sets 0.

#include <QDialog>

class Module1;
class QLabel;
class QListWidget;
class QPushButton;

class frmFilesentaku : public QDialog {
    Q_OBJECT
public:
    explicit frmFilesentaku(Module1& m, QWidget* parent = nullptr);

    QLabel* Label1;
    QListWidget* File1;
    QPushButton* Command1;

    static const QString kPicturePattern;  // "*.gif;*.jpg;*.bmp"
    static const QString kSoundPattern;    // "*.wav"

protected:
    void reject() override;

private:
    void Form_Load();
    void Command1_Click();
    bool StartGraphicMode() const;

    Module1& m_;
};
