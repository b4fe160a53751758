#pragma once
// "ショーの点検結果": lists CheckFindings, one line per finding, or says that
// nothing was found. OK closes it; it changes nothing.

#include <QDialog>
#include <QString>

class Module1;
class Platform;
class QListWidget;
class QPushButton;

class frmTenken : public QDialog {
    Q_OBJECT
public:
    frmTenken(Module1& m, Platform& platform, QWidget* parent = nullptr);

    // The one line shown when nothing was found.

    QListWidget* lstKekka;
    QPushButton* cmdOk;

private:
    void Form_Load();
    void cmdOk_Click();

    Module1& m_;
};
