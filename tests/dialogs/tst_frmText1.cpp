// The list item name dialog: texts a list data file cannot hold are refused
// with the reason, an empty OK keeps it open, and the frame puts back the text
// it opened with.

#include "core/Module1.h"
#include "dialogs/frmText1.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

class TestFrmText1 : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatTheFileCannotHoldAndTheFramePutsBackTheOldText()
    {
        Module1 m;
        FakePlatform platform;
        m.PrepareNewList();
        m.ItemIndex = Module1::kStartMessageRow;  // the start message is checked alike
        frmText1 dlg(m, platform);
        dlg.show();
        for (auto [typed, reason] : {std::pair{"A\"B", "ダブルクォーテーション（\"）は使えません。"},
                                     {"A\nB", "改行は使えません。"},
                                     {"価格€と€", "「€」はデータに保存できない文字です。別の文字に置き換えてください。"}}) {
            Modal::Expect(QStringLiteral("frmError"), [](QWidget*) {});
            Modal::TypeText(QString::fromUtf8(typed))(&dlg);
            QVERIFY(Modal::Texts().contains(QString::fromUtf8(reason)));
            QVERIFY(dlg.isVisible());
        }
        QCOMPARE(m.ListTable[Module1::kStartMessageRow][1], Module1::kNewStartMessage);
        const QString longText(40000, QChar(u'長'));  // no length limit cuts a loaded text
        Modal::Expect(QStringLiteral("frmError"), [](QWidget*) {});
        Modal::TypeText(QStringLiteral("〜"))(&dlg);   // comes back as another character
        QVERIFY(Modal::Texts().last().startsWith(QStringLiteral("「〜」")));
        Modal::TypeText(longText)(&dlg);
        QCOMPARE(m.ListTable[Module1::kStartMessageRow][1], longText);
        dlg.show();

        Modal::TypeText(QString())(&dlg);  // an empty text is stored, but the window stays
        QCOMPARE(m.ListTable[Module1::kStartMessageRow][1], QString());
        QVERIFY(dlg.isVisible());
        dlg.close();  // puts back the text the window opened with
        QCOMPARE(m.ListTable[Module1::kStartMessageRow][1], Module1::kNewStartMessage);
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmText1)
#include "tst_frmText1.moc"
