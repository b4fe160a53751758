// The first steps of a show, as a user takes them: a new project in a folder
// with a picture, three items, start message and start graphic, OK; then quit,
// start again, load the folder and add the next item. The list data file is
// checked against CP932 bytes built here.

#include "core/Module1.h"
#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

QByteArray Record(const QByteArray& a, const QByteArray& b = {}) { return '"' + a + "\",\"" + b + "\"\r\n"; }

QByteArray ExpectedListFile()
{
    QByteArray out = Record(QByteArray::fromHex("817c").repeated(10));  // －－－－－－－－－－
    out += Record(QByteArray::fromHex("82cd82b682df82c9"), "1.pev");     // はじめに
    out += Record(QByteArray::fromHex("89ef8ed088c493e0"), "2.pev");     // 会社案内
    out += Record(QByteArray::fromHex("90bb95692c89bf8a69"), "3.pev");   // 製品,価格
    out += Record({}).repeated(997) + Record("3") + Record("title.bmp");  // rows 4..1002
    out += Record(QByteArray::fromHex("82e682a482b182bb8149"              // ようこそ！
                                      "8d8096da82f0914982f182c582ad82be82b382a28142"));  // 項目を選んでください。
    return out + Record({});
}

// Answers the next modal window `form`: `steps` in it, then a click on `button`.
void Answer(const QString& form, const Modal::Handler& steps, const QString& button)
{
    Modal::Expect(form, [=](QWidget* w) { steps(w); Modal::Click(w, button); });
}

// Clicks `button` of `w` and types `text` into the text entry dialog it opens.
void Type(QWidget* w, const QString& button, const QString& text)
{
    Modal::Expect(QStringLiteral("frmText1"), Modal::TypeText(text));
    Modal::Click(w, button);
}

}  // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void newProjectThreeItemsSaveQuitLoadAndGoOn()
    {
        QTemporaryDir dir;
        const QString folder = QFileInfo(dir.path()).canonicalFilePath();
        QVERIFY(QImage(8, 6, QImage::Format_RGB32).save(folder + "/title.bmp"));
        const auto chooseFolder = [folder](QWidget* w) { QVERIFY(static_cast<frmPelumo5*>(w)->OpenFolder(folder)); };
        Module1 first, second;
        FakePlatform platform;
        {
            frmPelumo1 top(first, platform);
            Answer("frmPelumo5", chooseFolder, "cmdOk");
            Answer("frmPelumo4", [](QWidget* editor) {
                Type(editor, "cmdHenshu", QStringLiteral("はじめに"));
                Modal::Click(editor, "cmdNext");
                Type(editor, "cmdHenshu", QStringLiteral("会社案内"));
                Modal::Click(editor, "cmdNext");
                Type(editor, "cmdHenshu", QStringLiteral("製品,価格"));
                Type(editor, "Command1", QStringLiteral("ようこそ！項目を選んでください。"));
                Answer("frmFilesentaku", [](QWidget* w) { w->findChild<QListWidget*>()->setCurrentRow(0); }, "Command1");
                Modal::Click(editor, "Command2");
            }, "cmdOk");
            Modal::Click(&top, "cmdSinki");
            QCOMPARE(Bytes::Read(folder + "/LISTDATA.PLD"), ExpectedListFile());
            for (const char* name : {"/1.pev", "/2.pev", "/3.pev"})
                QCOMPARE(QFileInfo(folder + name).size(), qint64(7035));
            Answer("frmYesNo", [](QWidget*) {}, "Command1");
            Modal::Click(&top, "Command1");  // quit
            QCOMPARE(platform.endRequests, 1);
        }

        // Start again and load the folder: the same table and counter.
        frmPelumo1 top(second, platform);
        Answer("frmPelumo5", chooseFolder, "cmdOk");
        Modal::Click(&top, "cmdLoad");
        QCOMPARE(second.LastEventFileNumber, qint16(3));
        for (int row = 0; row < Module1::kFileRows; ++row)
            for (int column : {1, 2}) QCOMPARE(second.ListTable[row][column], first.ListTable[row][column]);

        // The next new item gets 4.pev.
        Answer("frmPelumo4", [](QWidget* editor) {
            for (int i = 0; i < 3; ++i) Modal::Click(editor, "cmdNext");
            Type(editor, "cmdHenshu", QStringLiteral("お問い合わせ"));
        }, "cmdOk");
        Modal::Click(&top, "cmdlistSakusei");
        QCOMPARE(second.ListTable[4][2], QStringLiteral("4.pev"));
        QCOMPARE(QFileInfo(folder + "/4.pev").size(), qint64(7035));
    }
};

PELUMO_GUI_TEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
