// A whole show as a user builds it, in one run, from an empty folder holding
// two pictures and two wav files: a new project with three items, start
// graphic and start message; the events of items 1 and 2; quit; start again,
// load and open item 1. The list data file and both event files are compared
// byte for byte with CP932 bytes written out here.

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/Module1.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

QByteArray Record(const QByteArray& a = {}, const QByteArray& b = {}) { return '"' + a + "\",\"" + b + "\"\r\n"; }
QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

const QByteArray kText = Hex("8365834c83588367955c8ea6");           // テキスト表示
const QByteArray kPicture = Hex("834f8389837483428362834e955c8ea6");  // グラフィック表示

QByteArray ExpectedList()
{
    QByteArray out = Record(Hex("817c").repeated(10));                  // －－－－－－－－－－
    out += Record(Hex("82cd82b682df82c9"), "1.pev");                   // はじめに
    out += Record(Hex("89ef8ed088c493e0"), "2.pev");                   // 会社案内
    out += Record(Hex("90bb95692c89bf8a69"), "3.pev");                 // 製品,価格
    out += Record().repeated(997) + Record("3") + Record("logo.bmp");  // rows 4..1002
    out += Record(Hex("82e682a482b182bb8149"));                        // ようこそ！
    return out + Record();
}

QByteArray ExpectedItem1()
{
    return Record() + Record(kText, Hex("82e682a482b182bb"))           // ようこそ
         + Record(kPicture, "photo.jpg")
         + Record(Hex("5761768c4a82e895d482b58dc490b6"), "bgm.wav")    // Wav繰り返し再生
         + Record(Hex("8345834783438367"), "1500")                      // ウエイト
         + Record(Hex("57617692e28e7e"))                                // Wav停止
         + Record(Hex("8365834c835883678fc18b8e"))                      // テキスト消去
         + Record(Hex("834783938368838c8358"), Hex("81698dc58f8982c996df82e9816a"))  // エンドレス（最初に戻る）
         + Record().repeated(997);
}

QByteArray ExpectedItem2()
{
    return Record() + Record(kText, Hex("8ed092b7")) + Record(Hex("5761768dc490b6"), "chime.wav")  // 社長, Wav再生
         + Record().repeated(1002);
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Answers the next `form` with `steps`, then clicks `button` (if any).
void Answer(const char* form, const Modal::Handler& steps, const char* button = nullptr)
{
    Modal::Expect(form, [=](QWidget* w) {
        steps(w);
        if (button) Modal::Click(w, button);
    });
}

void Type(QWidget* w, const char* button, const char* form, const QString& text)
{
    Modal::Expect(form, Modal::TypeText(text));
    Modal::Click(w, button);
}

// Picks `name` in a list box of the open dialog.
void Choose(QWidget* w, const char* list, const QString& name)
{
    auto* box = w->findChild<QListWidget*>(list);
    const auto found = box->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    box->setCurrentItem(found[0]);
    if (QLatin1String(list) == "lstList" && w->objectName() == "form2") emit box->itemClicked(found[0]);
}

// In the event editor `w`: "← 編集", the kind, then the kind's own answer.
void Edit(QWidget* w, const QString& kind, const char* form = nullptr, const Modal::Handler& answer = {})
{
    Answer("form2", [kind](QWidget* d) { Choose(d, "lstList", kind); });
    if (form) Modal::Expect(form, answer);
    Modal::Click(w, "cmdHenshu");
    Modal::Click(w, "cmdNext");
}

Modal::Handler File(const QString& name)
{
    return [name](QWidget* d) {
        Choose(d, "File1", name);
        Modal::Click(d, "Command1");
    };
}

}  // namespace

class TestWholeShow : public QObject {
    Q_OBJECT

private slots:
    void fromAnEmptyFolderToASavedShowAndBack()
    {
        QTemporaryDir dir;
        const QString folder = QFileInfo(dir.path()).canonicalFilePath();
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(folder + "/logo.bmp", "BMP"));
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(folder + "/photo.jpg", "JPG"));
        for (const char* wav : {"/bgm.wav", "/chime.wav"}) QFile(folder + wav).open(QIODevice::WriteOnly);
        const auto chooseFolder = [folder](QWidget* w) { QVERIFY(static_cast<frmPelumo5*>(w)->OpenFolder(folder)); };
        FakePlatform platform;
        {
            Module1 m;
            frmPelumo1 top(m, platform);
            Answer("frmPelumo5", chooseFolder, "cmdOk");
            Answer("frmPelumo4", [](QWidget* editor) {
                Type(editor, "cmdHenshu", "frmText1", QStringLiteral("はじめに"));
                Modal::Click(editor, "cmdNext");
                Type(editor, "cmdHenshu", "frmText1", QStringLiteral("会社案内"));
                Modal::Click(editor, "cmdNext");
                Type(editor, "cmdHenshu", "frmText1", QStringLiteral("製品,価格"));
                Type(editor, "Command1", "frmText1", QStringLiteral("ようこそ！"));
                Answer("frmFilesentaku", [](QWidget* d) { Choose(d, "File1", "logo.bmp"); }, "Command1");
                Modal::Click(editor, "Command2");
            }, "cmdOk");
            Modal::Click(&top, "cmdSinki");
            QVERIFY(!top.Image1->pixmap().isNull());  // the start graphic is shown

            // Item 1: every kind of a typical show. The picker lists wav
            // files right after the start graphic was chosen.
            Answer("frmList", [](QWidget* d) { Choose(d, "lstList", QStringLiteral("はじめに")); }, "Command1");
            Answer("frmPelumo3", [](QWidget* w) {
                Edit(w, QStringLiteral("テキスト表示"), "frmText2", Modal::TypeText(QStringLiteral("ようこそ")));
                Edit(w, QStringLiteral("グラフィック表示"), "frmFilesentaku", File("photo.jpg"));
                Edit(w, QStringLiteral("Wav繰り返し再生"), "frmFilesentaku", [](QWidget* d) {
                    QCOMPARE(d->findChild<QListWidget*>("File1")->count(), 2);
                    File("bgm.wav")(d);
                });
                Edit(w, QStringLiteral("ウエイト"), "frmWait", [](QWidget* d) {
                    Modal::CommitText(d->findChild<QLineEdit*>("Text1"), "1500");
                    Modal::Click(d, "Command1");
                });
                Edit(w, QStringLiteral("Wav停止"));
                Edit(w, QStringLiteral("テキスト消去"));
                Edit(w, QStringLiteral("エンドレス"));
            }, "Command3");
            Modal::Click(&top, "cmdSakusei");
            QCOMPARE(platform.sounds.last(), "stop");

            Answer("frmList", [](QWidget* d) { Choose(d, "lstList", QStringLiteral("会社案内")); }, "Command1");
            Answer("frmPelumo3", [](QWidget* w) {
                Edit(w, QStringLiteral("テキスト表示"), "frmText2", Modal::TypeText(QStringLiteral("社長")));
                Edit(w, QStringLiteral("Wav再生"), "frmFilesentaku", File("chime.wav"));
            }, "Command3");
            Modal::Click(&top, "cmdSakusei");

            // After a sound event the start graphic picker lists pictures.
            Answer("frmPelumo4", [](QWidget* editor) {
                Answer("frmFilesentaku", [](QWidget* d) {
                    QCOMPARE(d->findChild<QListWidget*>("File1")->count(), 2);
                    d->close();
                });
                Modal::Click(editor, "Command2");
            }, "cmdOk");
            Modal::Click(&top, "cmdlistSakusei");

            Answer("frmYesNo", [](QWidget*) {}, "Command1");
            Modal::Click(&top, "Command1");
            QCOMPARE(platform.endRequests, 1);
        }
        QCOMPARE(FileBytes(folder + "/LISTDATA.PLD"), ExpectedList());
        QCOMPARE(FileBytes(folder + "/1.pev"), ExpectedItem1());
        QCOMPARE(FileBytes(folder + "/2.pev"), ExpectedItem2());
        QCOMPARE(FileBytes(folder + "/3.pev"), Record().repeated(1005));

        // Start again, load, open item 1: the events as they were left.
        Module1 m;
        frmPelumo1 top(m, platform);
        Answer("frmPelumo5", chooseFolder, "cmdOk");
        Modal::Click(&top, "cmdLoad");
        Answer("frmList", [](QWidget* d) { Choose(d, "lstList", QStringLiteral("はじめに")); }, "Command1");
        Answer("frmPelumo3", [](QWidget* w) {
            QCOMPARE(w->findChild<QLabel*>("lblText")->text(), QStringLiteral("ようこそ"));
            for (int i = 0; i < 6; ++i) Modal::Click(w, "cmdNext");
            QCOMPARE(w->findChild<QLabel*>("lblYouso")->text(), QStringLiteral("エンドレス"));
            QCOMPARE(w->findChild<QLabel*>("lblText")->text(), QStringLiteral("（最初に戻る）"));
        }, "Command3");
        Modal::Click(&top, "cmdSakusei");
        QCOMPARE(FileBytes(folder + "/1.pev"), ExpectedItem1());

        // The numbering goes on from the saved counter: the next item gets 4.pev.
        Answer("frmPelumo4", [](QWidget* editor) {
            for (int i = 0; i < 3; ++i) Modal::Click(editor, "cmdNext");
            Type(editor, "cmdHenshu", "frmText1", QStringLiteral("お問い合わせ"));
        }, "cmdOk");
        Modal::Click(&top, "cmdlistSakusei");
        QCOMPARE(m.ListTable[4][2], QStringLiteral("4.pev"));
        QCOMPARE(FileBytes(folder + "/4.pev"), Record().repeated(1005));
        QCOMPARE(Modal::Pending(), 0);
    }
};

PELUMO_GUI_TEST_MAIN(TestWholeShow)
#include "tst_whole_show.moc"
