// The message box frmError and the question box frmYesNo, driven as their
// callers use them: the slot is written, the window is opened modally and
// answered through its buttons or its frame.

#include "app/FormLayout.h"
#include "app/Module1.h"
#include "dialogs/frmError.h"
#include "dialogs/frmYesNo.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// Notes what the dialog's label shows at the moment of each beep.
class LabelAtBeepPlatform : public FakePlatform {
public:
    QStringList labelAtBeep;
    void Beep() override
    {
        FakePlatform::Beep();
        for (QWidget* w : QApplication::allWidgets()) {
            const QString form = w->window()->objectName();
            if (w->objectName() == QLatin1String("Label1")
                && (form == QLatin1String("frmError") || form == QLatin1String("frmYesNo")))
                labelAtBeep.append(static_cast<QLabel*>(w)->text());
        }
    }
};

const QString kLong = QStringLiteral(
    "指定のスタートグラフィックファイルがありません。消されたか、名前が変更された可能性があります。"
    "「ペルモローダー」では、この項目は無視されます。");

// Opens `T` modally the way a caller does and lets `answer` close it.
template <typename T>
void OpenAndAnswer(Module1& m, Platform& p, const QString& form,
                   const std::function<void(QWidget*)>& answer)
{
    Modal::Expect(form, answer);
    T dialog(m, p);
    dialog.exec();
}

void CheckWrapsInside(QDialog& d, QLabel* label, const QSize& client)
{
    const QRect before = label->geometry();
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCoreApplication::processEvents();
    QCOMPARE(d.size(), client);
    QCOMPARE(label->geometry(), before);
    QVERIFY(label->wordWrap());
    const QFontMetrics fm(label->font());
    // Too wide for one line, and the wrapped lines fit the fixed area.
    QVERIFY(fm.horizontalAdvance(label->text()) > label->width());
    const int wrapped = label->heightForWidth(label->width());
    QVERIFY2(wrapped > 2 * fm.height(), qPrintable(QString::number(wrapped)));
    QVERIFY2(wrapped <= label->height(), qPrintable(QString::number(wrapped)));
    d.close();
}

}  // namespace

class TestMessageDialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    void errorBox_layout()
    {
        Module1 m;
        FakePlatform p;
        frmError d(m, p);
        QCOMPARE(d.windowTitle(), QStringLiteral("エラー！"));
        QCOMPARE(d.size(), QSize(378, 173));
        QCOMPARE(d.Label1->geometry(), QRect(8, 16, 361, 105));
        QCOMPARE(d.Command1->geometry(), QRect(272, 128, 81, 41));
        QCOMPARE(d.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(d.Label1->font().family(), FormLayout::kMincho);
        QCOMPARE(d.Label1->font().pointSizeF(), 12.0);
        QVERIFY(d.Label1->font().bold());
        QCOMPARE(d.Command1->font().family(), FormLayout::kGothic);
        QCOMPARE(d.Command1->font().pointSizeF(), 14.25);
        QVERIFY(d.Command1->font().bold());
        // The Mincho face must resolve to the IPA P font, not a fallback.
        QCOMPARE(QFontInfo(d.Label1->font()).family(), QStringLiteral("IPAPMincho"));
        QCOMPARE(QFontInfo(d.Command1->font()).family(), QStringLiteral("IPAPGothic"));
    }

    void errorBox_beepsBeforeTextAndLeavesDialogResult()
    {
        Module1 m;
        LabelAtBeepPlatform p;
        m.ErrorText = QStringLiteral("エラーです。");
        m.DialogResult = 1;
        QString shown;
        OpenAndAnswer<frmError>(m, p, QStringLiteral("frmError"), [&](QWidget* w) {
            shown = w->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            Modal::Click(w, QStringLiteral("Command1"));
        });
        QCOMPARE(Modal::Log(), QStringList{QStringLiteral("frmError")});
        QCOMPARE(p.beeps, 1);
        QCOMPARE(p.labelAtBeep, QStringList{QString()});
        QCOMPARE(shown, QStringLiteral("エラーです。"));
        QCOMPARE(m.ErrorText, QStringLiteral("エラーです。"));
        QCOMPARE(m.DialogResult, qint16(1));

        // Closed through the frame: counts as OK, DialogResult still untouched.
        m.DialogResult = 0;
        m.ErrorText.clear();
        OpenAndAnswer<frmError>(m, p, QStringLiteral("frmError"), [&](QWidget* w) {
            shown = w->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            w->close();
        });
        QCOMPARE(p.beeps, 2);
        QCOMPARE(shown, QString());
        QCOMPARE(m.DialogResult, qint16(0));
    }

    void yesNo_layout()
    {
        Module1 m;
        FakePlatform p;
        frmYesNo d(m, p);
        QCOMPARE(d.windowTitle(), QStringLiteral("ＹＥＳ，NO"));
        QCOMPARE(d.size(), QSize(462, 203));
        QCOMPARE(d.Label1->geometry(), QRect(24, 16, 409, 73));
        QCOMPARE(d.Command1->geometry(), QRect(72, 112, 129, 49));
        QCOMPARE(d.Command2->geometry(), QRect(272, 112, 129, 49));
        QCOMPARE(d.Command1->text(), QStringLiteral("Yes"));
        QCOMPARE(d.Command2->text(), QStringLiteral("No"));
        for (QWidget* w : {static_cast<QWidget*>(d.Label1), static_cast<QWidget*>(d.Command1),
                           static_cast<QWidget*>(d.Command2)}) {
            QCOMPARE(w->font().family(), FormLayout::kGothic);
            QCOMPARE(w->font().pointSizeF(), 12.0);
            QVERIFY(w->font().bold());
        }
        QCOMPARE(d.Command1->nextInFocusChain(), d.Command2);
    }

    void yesNo_answersOnlyFromButtons()
    {
        Module1 m;
        LabelAtBeepPlatform p;
        m.QuestionText = QStringLiteral("「ペルモ」を終了します。いいですか？");
        auto click = [](const char* button) {
            return [button](QWidget* w) { Modal::Click(w, QLatin1String(button)); };
        };
        const QString form = QStringLiteral("frmYesNo");

        OpenAndAnswer<frmYesNo>(m, p, form, click("Command2"));
        QCOMPARE(m.DialogResult, qint16(0));
        OpenAndAnswer<frmYesNo>(m, p, form, click("Command1"));
        QCOMPARE(m.DialogResult, qint16(1));
        OpenAndAnswer<frmYesNo>(m, p, form, click("Command2"));
        QCOMPARE(m.DialogResult, qint16(0));
        QCOMPARE(p.beeps, 3);
        QCOMPARE(p.labelAtBeep, QStringList(3, QString()));

        // Frame close and Escape answer No, whatever the slot held.
        m.DialogResult = 1;
        OpenAndAnswer<frmYesNo>(m, p, form, [](QWidget* w) { w->close(); });
        QCOMPARE(m.DialogResult, qint16(0));
        m.DialogResult = 1;
        OpenAndAnswer<frmYesNo>(m, p, form, [](QWidget* w) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(w, &esc);
        });
        QCOMPARE(m.DialogResult, qint16(0));
        QCOMPARE(Modal::Log(), QStringList(5, form));
        QCOMPARE(m.QuestionText, QStringLiteral("「ペルモ」を終了します。いいですか？"));
    }

    void longMessages_wrapInsideFixedLabel()
    {
        Module1 m;
        FakePlatform p;
        m.ErrorText = kLong;
        {
            frmError d(m, p);
            QCOMPARE(d.Label1->text(), kLong);
            CheckWrapsInside(d, d.Label1, QSize(378, 173));
        }
        // The question box's area is smaller: a three-line question fits it.
        m.QuestionText = kLong.left(60);
        {
            frmYesNo d(m, p);
            QCOMPARE(d.Label1->text(), kLong.left(60));
            CheckWrapsInside(d, d.Label1, QSize(462, 203));
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestMessageDialogs)
#include "tst_message_dialogs.moc"
