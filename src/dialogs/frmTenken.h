#pragma once
// "ショーの点検結果": lists CheckFindings, one line per finding, or says that
// nothing was found. OK closes it; it changes nothing. The same window lists
// any message too long for frmError, under a title of its own.

#include <QDialog>
#include <QString>
#include <QStringList>

class Module1;
class Platform;
class QListWidget;
class QPushButton;

class frmTenken : public QDialog {
    Q_OBJECT
public:
    frmTenken(Module1& m, Platform& platform, QWidget* parent = nullptr);
    frmTenken(Module1& m, Platform& platform, const QString& title, const QStringList& lines, QWidget* parent = nullptr);

private:
    QListWidget* lstKekka;
    QPushButton* cmdOk;

    void CreateControls(const QString& title);
    void ConnectHandlers();
    void Form_Load(const QStringList& lines);
    void cmdOk_Click();

    Module1& m_;
};
