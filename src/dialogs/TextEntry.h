#pragma once
// What the two text entry dialogs share: one text box for one table cell.
// OK stores the text exactly as typed and closes on a non-empty text; text
// that the project file cannot hold is refused with a message and nothing is
// stored. Closing through the frame puts back the text the cell had.

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>

class Module1;
class Platform;
class QLineEdit;
class QPushButton;

class TextEntry : public QDialog {
    Q_OBJECT
protected:
    // The form's name, caption and client area, and the twips and fonts of
    // its text box and OK button.
    struct Form {
        const char* name;
        QString caption;
        int width, height;
        QRect box;
        QFont boxFont;
        QRect ok;
    };
    TextEntry(Module1& m, Platform& platform, QString& cell, const Form& form, QWidget* parent);
    void reject() override;

private:
    QLineEdit* txtText;
    QPushButton* cmdOk;

    void CreateControls(const Form& form);
    void ConnectHandlers();
    void Form_Load();
    void cmdOk_Click();

    Module1& m_;
    Platform& platform_;
    QString& cell_;
    QString textAtOpening_;
};
