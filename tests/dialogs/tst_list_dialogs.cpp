// Message, question, item name and start graphic dialogs, opened as their callers open them.

#include "core/Module1.h"
#include "dialogs/frmError.h"
#include "dialogs/frmFilesentaku.h"
#include "dialogs/frmText1.h"
#include "dialogs/frmYesNo.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

class TestListDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<Module1> m;
    std::unique_ptr<FakePlatform> p;

private slots:
    void init() { Modal::Reset(), m = std::make_unique<Module1>(), p = std::make_unique<FakePlatform>(); }

    // frmError leaves DialogResult alone, frmYesNo sets it from Yes and No (frame: No); each beeps and wraps.
    void messageAndQuestion()
    {
        const QString text = QStringLiteral("消されたか、名前が変更された可能性があります。").repeated(3);
        m->ErrorText = m->QuestionText = text, m->DialogResult = 7;
        const struct { bool error; const char* button; qint16 result; } answers[] = {
            {true, "Command1", 7}, {true, nullptr, 7}, {false, "Command1", 1}, {false, "Command2", 0}, {false, "Command1", 1}, {false, nullptr, 0}};
        for (const auto& a : answers) {
            Modal::Answer([&](QWidget* w) {
                const auto* l = w->findChild<QLabel*>("Label1");
                QVERIFY(l->heightForWidth(l->width()) > 2 * l->fontMetrics().height() && l->heightForWidth(l->width()) <= l->height());
                a.button ? Modal::Click(w, a.button) : void(w->close());
            });
            a.error ? frmError(*m, *p).exec() : frmYesNo(*m, *p).exec();
            QCOMPARE(m->DialogResult, a.result);
        }
        QCOMPARE(Modal::Texts(), QStringList(6, text));
        QCOMPARE(p->beeps, 6);
    }

    // Refuses, saying why, what a list file cannot hold; no length limit; an empty OK stays; the frame restores.
    void itemName()
    {
        m->PrepareNewList(), m->ItemIndex = Module1::kStartMessageRow;  // the start message is checked alike
        QString& cell = m->ListTable[Module1::kStartMessageRow][1];
        frmText1 dlg(*m, *p);
        for (const auto& [typed, reason] : {std::pair{"A\"B", "ダブルクォーテーション（\"）は使えません。"}, {"A\nB", "改行は使えません。"},
                                            {"〜", "「〜」はデータに保存できない文字です。別の文字に置き換えてください。"}}) {  // read back as ～
            Modal::Expect("frmError", [](QWidget*) {});
            Modal::TypeText(QString::fromUtf8(typed))(&dlg);
            QVERIFY(Modal::Texts().contains(QString::fromUtf8(reason)));
        }
        QCOMPARE(cell, Module1::kNewStartMessage);
        Modal::TypeText(QString(40000, u'長'))(&dlg);
        QCOMPARE(cell, QString(40000, u'長'));
        dlg.show();
        Modal::TypeText(QString())(&dlg);
        QVERIFY(cell.isEmpty() && dlg.isVisible());
        dlg.close();
        QCOMPARE(cell, Module1::kNewStartMessage);
    }

    // Offers the pictures a project file can name; OK without a choice stays open; the frame stores nothing.
    void startGraphicPicker()
    {
        QTemporaryDir dir;
        for (const QString& name : {"b.JPG", "a.gif", "c.bmp", "d.wav", "e.txt", "q\"uote.gif", "€.bmp"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        m->ProjectFolder = dir.path(), m->CallerMode = Module1::kModeListEditor;
        m->ListTable[Module1::kStartGraphicRow][1] = "old.bmp";
        for (const bool ok : {false, true}) {  // closed through the frame, then confirmed with OK
            frmFilesentaku dlg(*m, *p);
            dlg.show();
            QCOMPARE(dlg.File1->count(), 3);  // a.gif, b.JPG, c.bmp
            Modal::Click(&dlg, "Command1");
            QVERIFY(dlg.isVisible());
            dlg.File1->setCurrentRow(1);
            ok ? Modal::Click(&dlg, "Command1") : void(dlg.close());
            QCOMPARE(m->DialogResult, qint16(ok && !dlg.isVisible()));  // 1 only once OK closed it
            QCOMPARE(m->ListTable[Module1::kStartGraphicRow][1], ok ? "b.JPG" : "old.bmp");
        }
    }
};

PELUMO_GUI_TEST_MAIN(TestListDialogs)
#include "tst_list_dialogs.moc"
