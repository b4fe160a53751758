// The message box frmError and the question box frmYesNo opened modally as
// their callers open them, and answered through their buttons or the frame.

#include "core/Module1.h"
#include "dialogs/frmError.h"
#include "dialogs/frmYesNo.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QLabel>

// Notes what the message label showed at each beep.
struct LabelAtBeep : FakePlatform {
    QStringList texts;
    void Beep() override
    {
        for (QWidget* w : QApplication::allWidgets())
            if (w->objectName() == QLatin1String("Label1")) texts.append(static_cast<QLabel*>(w)->text());
    }
};

class TestMessageDialogs : public QObject {
    Q_OBJECT
private slots:
    // Each answer with the DialogResult it leaves: frmError leaves it alone,
    // frmYesNo sets it from Yes and No, and its frame counts as No. Every
    // opening beeps before the text is shown; long texts wrap in the label.
    void answers()
    {
        const QString text = QStringLiteral("消されたか、名前が変更された可能性があります。").repeated(3);
        Module1 m;
        LabelAtBeep p;
        m.ErrorText = text;
        m.QuestionText = text;
        m.DialogResult = 7;
        const struct { bool error; const char* button; qint16 result; } answers[] = {
            {true, "Command1", 7}, {true, nullptr, 7}, {false, "Command1", 1},
            {false, "Command2", 0}, {false, "Command1", 1}, {false, nullptr, 0}};
        for (const auto& a : answers) {
            Modal::Answer([&](QWidget* w) {
                auto* label = w->findChild<QLabel*>(QStringLiteral("Label1"));
                const int height = label->heightForWidth(label->width());
                QVERIFY(height > 2 * label->fontMetrics().height() && height <= label->height());
                a.button ? Modal::Click(w, QLatin1String(a.button)) : void(w->close());
            });
            a.error ? frmError(m, p).exec() : frmYesNo(m, p).exec();
            QCOMPARE(m.DialogResult, a.result);
        }
        QCOMPARE(Modal::Texts(), QStringList(6, text));
        QCOMPARE(p.texts, QStringList(6, QString()));
    }
};

PELUMO_GUI_TEST_MAIN(TestMessageDialogs)
#include "tst_message_dialogs.moc"
