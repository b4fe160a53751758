// The event editor on real event files: opening, the three-row view and its
// navigation, the preview of every kind, "次へ", and the return that saves.

#include "app/frmPelumo1.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/ListDataFile.h"
#include "eventedit/frmPelumo3.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace EventKinds;

namespace {

// An item "題名" (row 2 of the list, file "5.pev") whose events are `rows`
// (kind, parameter) from row 1 on.
struct Item {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    FakePlatform platform;
    std::unique_ptr<frmPelumo3> w;

    explicit Item(const QList<QPair<QString, QString>>& rows = {})
    {
        m->ProjectFolder = dir.path();
        m->PrepareNewList();
        m->ListTable[1][1] = "前";
        m->ListTable[2][1] = QStringLiteral("題名");
        m->ListTable[2][2] = "5.pev";
        m->ItemIndex = 2;
        for (int r = 0; r < rows.size(); ++r) {
            m->EventTable[r + 1][0] = rows[r].first;
            m->EventTable[r + 1][1] = rows[r].second;
        }
        EventFile::Write(*m);
        m->ClearEventTable();
    }
    void Open()
    {
        w = std::make_unique<frmPelumo3>(*m, platform);
        w->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w->show();
    }
    QString Path(const QString& name) const { return dir.filePath(name); }

    // "number|kind|parameter" of the upper, current and lower row.
    QString View() const
    {
        return QStringList{w->lblNoBefore->text(), w->lblYousoBefore->text(), w->lblTextUe->text(),
                           w->lblNo->text(),       w->lblYouso->text(),       w->lblText->text(),
                           w->lblNoNext->text(),   w->lblYousoNext->text(),   w->lblTextSita->text()}
            .join('|');
    }
    // Clicks each button in turn (navigation: nothing modal opens).
    void Press(std::initializer_list<QPushButton*> buttons)
    {
        for (QPushButton* b : buttons) b->click();
    }
};

void Ok(QWidget*) {}  // the message box is closed after the answer

QList<QPair<QString, QString>> Texts(int n)
{
    QList<QPair<QString, QString>> rows;
    for (int i = 1; i <= n; ++i) rows.append({kText, QString::number(i)});
    return rows;
}

}  // namespace

class TestFrmPelumo3 : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    void newItemOpensOnRowOneAndGoesNowhere()
    {
        Item item;
        item.Open();
        QVERIFY(item.w->Opened());
        QCOMPARE(item.View(), "0|||1|||2||");
        QCOMPARE(item.w->Label7->text(), QStringLiteral("題名"));
        QCOMPARE(item.w->Label1->text(), item.dir.path());
        item.Press({item.w->cmdBefore, item.w->cmd10Before, item.w->cmdNext, item.w->cmd10Next,
                    item.w->cmdNext_Kasou});
        QCOMPARE(item.m->EventIndex, 1);
        QCOMPARE(item.w->lblTextKasou->text(), QString());
    }

    void navigationByOneAndByTen()
    {
        Item three(Texts(3));
        three.Open();
        three.Press({three.w->cmdNext, three.w->cmdNext, three.w->cmdNext, three.w->cmdNext});
        QCOMPARE(three.View(), "3|" + kText + "|3|4|||5||");

        Item eleven(Texts(11));
        eleven.Open();
        eleven.Press({eleven.w->cmd10Next});
        QCOMPARE(eleven.m->EventIndex, 11);
        eleven.Press({eleven.w->cmd10Before});
        QCOMPARE(eleven.m->EventIndex, 1);
        eleven.Press({eleven.w->cmdNext, eleven.w->cmdNext, eleven.w->cmdNext, eleven.w->cmdNext,
                      eleven.w->cmd10Before});
        QCOMPARE(eleven.m->EventIndex, 5);

        Item ten(Texts(10));
        ten.Open();
        ten.Press({ten.w->cmd10Next});
        QCOMPARE(ten.m->EventIndex, 1);
    }

    // Every kind applied to the preview by moving onto it, then "次へ".
    void previewOfEveryKindAndPlayForward()
    {
        Item item({{kText, "A"}, {kWavStop, ""}, {kWait, "1000"}, {kClearText, ""}, {kPicture, "P.BMP"},
                   {kPicture, "gone.bmp"}, {kWavOnce, "s.wav"}, {kWavLoop, "S.WAV"}, {kText, "B"},
                   {kPicture, "broken.jpg"}, {kWavOnce, "none.wav"}, {kEndless, kBackToStart}});
        QVERIFY(QImage(40, 30, QImage::Format_RGB32).save(item.Path("p.bmp")));
        QVERIFY(Bytes::Write(item.Path("s.wav"), "RIFF"));
        QVERIFY(Bytes::Write(item.Path("broken.jpg"), "not a picture"));
        item.Open();
        auto& w = *item.w;
        const auto text = [&] { return w.lblTextKasou->text(); };
        QCOMPARE(text(), "A");
        w.cmdNext->click();  // Wav停止: the text stays
        QCOMPARE(text(), "A");
        QCOMPARE(item.platform.sounds, QStringList{"stop"});
        w.cmdNext->click();
        QCOMPARE(text(), "1000");
        w.cmdNext->click();
        QCOMPARE(text(), " ");
        w.cmdNext->click();
        QVERIFY(!w.imgA_kasou->pixmap().isNull());
        const QImage shown = w.imgA_kasou->pixmap().toImage();
        Modal::Expect("frmError", Ok);
        w.cmdNext->click();  // a deleted picture: one text, the picture stays
        QCOMPARE(Modal::Texts(), QStringList{EventRules::MissingPictureNotice()});
        QCOMPARE(w.imgA_kasou->pixmap().toImage(), shown);
        item.Press({w.cmdNext, w.cmdNext});
        QCOMPARE(item.platform.sounds, (QStringList{"stop", "stop", "once s.wav", "stop", "loop s.wav"}));
        QCOMPARE(item.View(), "7|" + kWavOnce + "|s.wav|8|" + kWavLoop + "|S.WAV|9|" + kText + "|B");

        // "次へ" from row 1 applies every row up to the next text and stops there.
        item.platform.sounds.clear();
        item.Open();
        auto& again = *item.w;
        Modal::Expect("frmError", Ok);
        again.cmdNext_Kasou->click();
        QCOMPARE(item.m->EventIndex, 9);
        QCOMPARE(again.lblTextKasou->text(), "B");
        QCOMPARE(item.platform.sounds, (QStringList{"stop", "stop", "once s.wav", "stop", "loop s.wav"}));
        // Then over an undecodable picture, a missing wav and the endless row
        // to the empty row, where it stops for good.
        Modal::Expect("frmError", Ok);
        Modal::Expect("frmError", Ok);
        again.cmdNext_Kasou->click();
        QCOMPARE(Modal::Texts().mid(1), (QStringList{EventRules::MissingPictureNotice(), EventRules::UndecodablePictureNotice(),
                                                     EventRules::MissingWavNotice()}));
        QCOMPARE(item.m->EventIndex, 13);
        again.cmdNext_Kasou->click();
        QCOMPARE(item.m->EventIndex, 13);
    }

    // The return stops the sound and writes the file back byte for byte; a
    // write that fails keeps the window open.
    void returnSavesOrStaysOpen()
    {
        Item item({{kWavLoop, "s.wav"}, {kText, QStringLiteral("こんにちは, 世界")}});
        const QByteArray before = Bytes::Read(item.Path("5.pev"));
        QVERIFY(Bytes::Write(item.Path("s.wav"), "RIFF"));
        item.Open();
        item.w->Command3->click();
        QVERIFY(!item.w->isVisible());
        QCOMPARE(item.platform.sounds.last(), "stop");
        QCOMPARE(Bytes::Read(item.Path("5.pev")), before);

        item.Open();
        item.w->close();  // the frame does not close it
        QVERIFY(item.w->isVisible());
        QVERIFY(QFile::remove(item.Path("5.pev")) && QDir().mkdir(item.Path("5.pev")));
        Modal::Expect("frmError", Ok);
        item.w->Command3->click();
        QCOMPARE(Modal::Texts().last(), Records::SaveFailedMessage("5.pev"));
        QVERIFY(item.w->isVisible());
        QCOMPARE(item.m->EventTable[2][1], QStringLiteral("こんにちは, 世界"));
    }

    // Opening refused: a missing file ends the program after two messages;
    // a name outside the folder and an unreadable file only say so.
    void openingRefused()
    {
        Item item;
        QVERIFY(QFile::remove(item.Path("5.pev")));
        Modal::Expect("frmError", Ok);
        Modal::Expect("frmError", Ok);
        item.Open();
        QCOMPARE(Modal::Texts(), (QStringList{EventRules::MissingEventFileMessage(), EventRules::ForcedEndMessage()}));
        QCOMPARE(item.platform.endRequests, 1);
        QVERIFY(!item.w->Opened());

        Modal::Reset();
        item.m->ListTable[2][2] = "../5.pev";
        Modal::Expect("frmError", Ok);
        item.Open();
        QCOMPARE(Modal::Texts(), QStringList{EventRules::BadEventFileNameMessage("../5.pev")});
        QVERIFY(!item.w->Opened());
        QCOMPARE(item.platform.endRequests, 1);
    }

    // From the top menu: the item picker, then the editor on the chosen item.
    void topMenuPicksAnItem()
    {
        Item item({{kText, "X"}});
        ListDataFile::Write(*item.m);
        Module1 m;
        FakePlatform platform;
        frmPelumo1 top(m, platform);
        m.ProjectFolder = item.dir.path();
        top.lblPath->setText(m.ProjectFolder);
        QVERIFY(ListDataFile::Read(m).ok);
        Modal::Expect("frmList", [](QWidget* w) { Modal::Click(w, "Command2"); });
        top.cmdSakusei->click();
        Modal::Expect("frmList", [](QWidget* w) {
            auto* list = w->findChild<QListWidget*>("lstList");
            QCOMPARE(list->count(), 2);
            Modal::Click(w, "Command1");  // nothing chosen: stays open
            QVERIFY(w->isVisible());
            list->setCurrentRow(1);
            Modal::Click(w, "Command1");
        });
        Modal::Expect("frmPelumo3", [&](QWidget* w) {
            QCOMPARE(w->findChild<QLabel*>("lblText")->text(), "X");
            Modal::Click(w, "Command3");
        });
        top.cmdSakusei->click();
        QCOMPARE(m.ItemIndex, qint16(2));
        QCOMPARE(m.CallerMode, Module1::kModeEventEditor);
        QCOMPARE(Modal::Log(), (QStringList{"frmList", "frmList", "frmPelumo3"}));
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo3)
#include "tst_frmPelumo3.moc"
