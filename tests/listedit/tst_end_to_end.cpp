// The first steps of a show, as a user takes them: a new project in a folder
// of pictures and sounds, three items, start message and start graphic, OK;
// then quit, start again and load the folder, and go on adding items.
// The list data file is checked against bytes built here.

#include "app/Module1.h"
#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "listedit/frmPelumo4.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"
#include "support/Modal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace {

// CP932 of the texts typed below.
const QByteArray kDash = QByteArray::fromHex("817c").repeated(10);            // －×10
const QByteArray kFirst = QByteArray::fromHex("82cd82b682df82c9");              // はじめに
const QByteArray kSecond = QByteArray::fromHex("89ef8ed088c493e0");             // 会社案内
const QByteArray kThird = QByteArray::fromHex("90bb95692c89bf8a69");            // 製品,価格
const QByteArray kMessage = QByteArray::fromHex(
    "82e682a482b182bb8149" "8d8096da82f0914982f182c582ad82be82b382a28142");   // ようこそ！項目を選んでください。

QByteArray Record(const QByteArray& a, const QByteArray& b)
{
    return '"' + a + "\",\"" + b + "\"\r\n";
}

QByteArray ExpectedListFile()
{
    QByteArray out = Record(kDash, "");
    out += Record(kFirst, "1.pev");
    out += Record(kSecond, "2.pev");
    out += Record(kThird, "3.pev");
    for (int row = 4; row <= 1000; ++row) out += Record("", "");
    out += Record("3", "");
    out += Record("title.bmp", "");
    out += Record(kMessage, "");
    out += Record("", "");
    return out;
}

void AnswerChooser(const QString& folder)
{
    Modal::Expect(QStringLiteral("frmPelumo5"), [folder](QWidget* w) {
        auto* chooser = static_cast<frmPelumo5*>(w);
        QVERIFY(chooser->OpenFolder(folder));
        chooser->cmdOk->click();
    });
}

// Runs `steps` inside the list editor once it is open, then presses its OK.
void InListEditor(const std::function<void(frmPelumo4*)>& steps)
{
    Modal::Expect(QStringLiteral("frmPelumo4"), [steps](QWidget* w) {
        auto* editor = static_cast<frmPelumo4*>(w);
        steps(editor);
        editor->cmdOk->click();
    });
}

void NameCurrentRow(frmPelumo4* editor, const QString& name)
{
    Modal::Expect(QStringLiteral("frmText1"), Modal::TypeText(name));
    editor->cmdHenshu->click();
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void newProjectThreeItemsSaveQuitLoadAndGoOn()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString folder = QFileInfo(root.path()).canonicalFilePath() + QStringLiteral("/show");
        QVERIFY(QDir().mkpath(folder));
        QImage title(32, 24, QImage::Format_RGB32);
        title.fill(Qt::darkGreen);
        QVERIFY(title.save(folder + QStringLiteral("/title.bmp"), "BMP"));
        QVERIFY(title.save(folder + QStringLiteral("/photo.jpg"), "JPG"));
        {
            QFile wav(folder + QStringLiteral("/chime.wav"));
            QVERIFY(wav.open(QIODevice::WriteOnly));
            wav.write("RIFF");
        }

        // First run: new project, three items, start message and graphic, OK.
        Module1Holder first;
        {
            frmPelumo1 top(*first.m, first.platform);
            top.show();
            Modal::Reset();
            AnswerChooser(folder);
            InListEditor([](frmPelumo4* editor) {
                NameCurrentRow(editor, QStringLiteral("はじめに"));
                editor->cmdNext->click();
                NameCurrentRow(editor, QStringLiteral("会社案内"));
                editor->cmdNext->click();
                NameCurrentRow(editor, QStringLiteral("製品,価格"));

                Modal::Expect(QStringLiteral("frmText1"),
                              Modal::TypeText(QStringLiteral("ようこそ！項目を選んでください。")));
                editor->Command1->click();

                Modal::Expect(QStringLiteral("frmFilesentaku"), [](QWidget* w) {
                    auto* files = w->findChild<QListWidget*>(QStringLiteral("File1"));
                    QCOMPARE(files->count(), 2);
                    const auto title = files->findItems(QStringLiteral("title.bmp"), Qt::MatchExactly);
                    QCOMPARE(title.size(), 1);
                    files->setCurrentItem(title.first());
                    Modal::Click(w, QStringLiteral("Command1"));
                });
                editor->Command2->click();
            });
            top.cmdSinki->click();

            QCOMPARE(Modal::Log(), (QStringList{"frmPelumo5", "frmPelumo4", "frmText1", "frmText1",
                                                "frmText1", "frmText1", "frmFilesentaku"}));
            QCOMPARE(Modal::Pending(), 0);
            QVERIFY(top.cmdlistSakusei->isVisibleTo(&top));
            QVERIFY(top.cmdSakusei->isVisibleTo(&top));
            QVERIFY(!top.Image1->pixmap().isNull());

            const QByteArray written = ReadAll(folder + QStringLiteral("/LISTDATA.PLD"));
            const QByteArray expected = ExpectedListFile();
            QCOMPARE(written.size(), expected.size());
            QVERIFY(written == expected);
            for (const char* name : {"1.pev", "2.pev", "3.pev"}) {
                const QByteArray bytes = ReadAll(folder + QLatin1Char('/') + QLatin1String(name));
                QCOMPARE(bytes, QByteArray("\"\",\"\"\r\n").repeated(1005));
                QCOMPARE(bytes.size(), 7035);
            }

            // Quit.
            Modal::Expect(QStringLiteral("frmYesNo"),
                          [](QWidget* w) { Modal::Click(w, QStringLiteral("Command1")); });
            top.Command1->click();
            QCOMPARE(first.platform.endRequests, 1);
        }

        // Second run: load the folder; the same table and counter.
        Module1Holder second;
        frmPelumo1 top(*second.m, second.platform);
        top.show();
        Modal::Reset();
        AnswerChooser(folder);
        top.cmdLoad->click();
        QCOMPARE(Modal::Log(), QStringList{"frmPelumo5"});
        QCOMPARE(second.m->LastEventFileNumber, qint16(3));
        for (int row = 0; row < Module1::kFileRows; ++row) {
            QCOMPARE(second.m->ListTable[row][1], first.m->ListTable[row][1]);
            QCOMPARE(second.m->ListTable[row][2], first.m->ListTable[row][2]);
        }
        QCOMPARE(second.m->ListTable[3][1], QStringLiteral("製品,価格"));
        QVERIFY(!top.Image1->pixmap().isNull());

        // The next new item gets 4.pev.
        InListEditor([](frmPelumo4* editor) {
            for (int i = 0; i < 3; ++i) editor->cmdNext->click();
            NameCurrentRow(editor, QStringLiteral("お問い合わせ"));
        });
        top.cmdlistSakusei->click();
        QCOMPARE(Modal::Pending(), 0);
        QCOMPARE(second.m->ListTable[4][1], QStringLiteral("お問い合わせ"));
        QCOMPARE(second.m->ListTable[4][2], QStringLiteral("4.pev"));
        QCOMPARE(QFileInfo(folder + QStringLiteral("/4.pev")).size(), qint64(7035));
        const QByteArray saved = ReadAll(folder + QStringLiteral("/LISTDATA.PLD"));
        QVERIFY(saved.contains("\r\n\"" + QByteArray::fromHex("82a896e282a28d8782ed82b9")
                               + "\",\"4.pev\"\r\n"));
        QVERIFY(saved.contains("\r\n\"4\",\"\"\r\n"));
    }

private:
    struct Module1Holder {
        std::unique_ptr<Module1> m = std::make_unique<Module1>();
        FakePlatform platform;
    };
};

PELUMO_GUI_TEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
