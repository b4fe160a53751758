#pragma once
// The folder chooser: a drive list, a folder list that opens folders on
// double-click, and a file list of the open folder for viewing. OK stores the
// open folder in ProjectFolder; Cancel (and closing the window) puts back
// PreviousFolder.
//
// There are no drive letters here: the "drives" are the file system root,
// the home folder and the volumes mounted under /media and /mnt. The root
// plays the part of a drive root, which OK refuses.

#include <QDialog>
#include <QString>

class Module1;
class Platform;
class QComboBox;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmPelumo5 : public QDialog {
    Q_OBJECT
public:
    frmPelumo5(Module1& m, Platform& platform, QWidget* parent = nullptr);

    // Opens `path` in the folder list (what a double-click does). Returns
    // false, leaving the lists as they were, when it is not a folder that
    // can be opened.
    bool OpenFolder(const QString& path);

    // The full path a folder list entry stands for.
    static QString PathOf(const QTreeWidgetItem* item);

protected:
    // Escape and the window frame: the same as Cancel.
    void reject() override;

private:
    QComboBox* drvSentaku;
    QTreeWidget* dirSentaku;
    QListWidget* filSentaku;
    QPushButton* cmdOk;
    QPushButton* Command1;

    void CreateControls();
    void ConnectHandlers();
    void Form_Load();
    void drvSentaku_Change();
    void dirSentaku_Change();
    void cmdOk_Click();
    void Command1_Click();

    void FillDrives();
    void FillFolderList();
    void SelectDriveOf(const QString& path);

    Module1& m_;
    Platform& platform_;
    // The folder open in the folder list: absolute, "/" separated, without a
    // trailing separator except for the root "/". Empty before any opening.
    QString openFolder_;
    QString pattern_ = QStringLiteral("*.*");
};
