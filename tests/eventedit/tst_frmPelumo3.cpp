// The event editor on real event files, its dialogs answered as a user
// would: opening, navigation, the preview of every kind, "次へ", editing,
// insert and delete, "▶ ここから再生" with the test as its clock, the return
// that saves, and the preview's sound as SDL's disk driver hears it.

#include "app/frmPelumo1.h"
#include "core/EventEditing.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/Records.h"
#include "eventedit/frmPelumo3.h"
#include "platform/QtPlatform.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <cmath>

using namespace EventKinds;
using namespace EventRules;

namespace {

// 16-bit mono PCM at 22050 Hz, two samples of silence.
const QByteArray kSilentWav = QByteArray::fromHex(
    "52494646280000005741564566"
    "6d7420100000000100010022560000 44ac0000 02001000 64617461 04000000 00000000");


using Rows = QList<QPair<QString, QString>>;

// Item "題名", file "1.pev", with events `rows` from row 1, in a folder that
// also holds `files` (a .bmp is a picture, a .wav a short silence, others text).
struct Item {
    QTemporaryDir dir;
    Module1 m;
    FakePlatform platform;
    std::unique_ptr<frmPelumo3> w;

    explicit Item(const Rows& rows = {}, const QStringList& files = {})
    {
        m.ProjectFolder = dir.path();
        m.ListTable[1][1] = QStringLiteral("題名"), m.ListTable[1][2] = "1.pev", m.ItemIndex = 1;
        for (int r = 0; r < rows.size(); ++r) m.EventTable[r + 1][0] = rows[r].first, m.EventTable[r + 1][1] = rows[r].second;
        EventFile::Write(m);
        m.ClearEventTable();
        for (const QString& f : files)
            f.endsWith(".bmp", Qt::CaseInsensitive) ? QImage(40, 30, QImage::Format_RGB32).save(Path(f), "BMP")
                                                    : Bytes::Write(Path(f), f.endsWith(".wav") ? kSilentWav : QByteArray("text"));
    }
    void Open() { Open(platform); }
    void Open(Platform& p)
    {
        w = std::make_unique<frmPelumo3>(m, p);
        w->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w->show();
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    // "number|kind|parameter" of the upper, current and lower row.
    QString View() const
    {
        return QStringList{w->lblNoBefore->text(), w->lblYousoBefore->text(), w->lblTextUe->text(),
                           w->lblNo->text(),       w->lblYouso->text(),       w->lblText->text(),
                           w->lblNoNext->text(),   w->lblYousoNext->text(),   w->lblTextSita->text()}.join('|');
    }
    QString Row(int r) const { return m.EventTable[r][0] + ':' + m.EventTable[r][1]; }
    // Runs `button`, answering form2 with `kind`, then `form` (if given) with `answer`.
    void Edit(QPushButton* button, const QString& kind, const char* form = nullptr, Modal::Handler answer = {})
    {
        Modal::Expect("form2", [kind](QWidget* d) {
            auto* list = d->findChild<QListWidget*>("lstList");
            const auto found = list->findItems(kind, Qt::MatchExactly);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.value(0)).center());
        });
        if (form) Modal::Expect(form, answer);
        button->click();
    }
    // The play: "row wait-ms" while the clock runs, "row text" while it
    // waits for "次へ", "row stopped" after it.
    QString State() const
    {
        const QString row = QString::number(m.EventIndex) + ' ';
        if (w->cmdPlay->text() != QStringLiteral("■ 停止")) return row + "stopped";
        return row + (w->Timer1->isActive() ? QString::number(w->Timer1->interval()) : w->lblTextKasou->text());
    }
};

void Yes(QWidget* w) { Modal::Click(w, "Command1"); }  // also OK of a message

Rows Texts(int n)
{
    Rows rows;
    for (int i = 1; i <= n; ++i) rows.append({kText, QString::number(i)});
    return rows;
}

// 0.3 s of a 440 Hz tone, 16-bit mono at 22050 Hz.
QByteArray ToneWav()
{
    QByteArray data;
    for (int i = 0; i < 6615; ++i) {
        const qint16 s = qint16(12000 * std::sin(2 * M_PI * 440 * i / 22050.0));
        data.append(char(s & 0xff)).append(char(s >> 8 & 0xff));
    }
    const auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    return "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + QByteArray::fromHex("0100010022560000 44ac0000 02001000")
         + "data" + u32(data.size()) + data;
}

}  // namespace

class TestFrmPelumo3 : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // A missing event file: two messages, the program ends, the editor is not opened.
    void missingEventFileEndsTheProgram()
    {
        Item item;
        QVERIFY(QFile::remove(item.Path("1.pev")));
        Modal::Expect("frmError", Yes);
        Modal::Expect("frmError", Yes);
        item.Open();
        QCOMPARE(Modal::Texts(), (QStringList{MissingEventFileMessage(), ForcedEndMessage()}));
        QVERIFY(!item.w->Opened() && item.platform.endRequests == 1);
    }

    // The item picker of the top menu: OK without a choice stays, cancel opens no editor.
    void pickerCancelledOpensNothing()
    {
        Module1 m;
        FakePlatform platform;
        frmPelumo1 top(m, platform);
        m.ListTable[1][1] = "x";
        top.lblPath->setText("/x");
        Modal::Expect("frmList", [](QWidget* w) {
            Modal::Click(w, "Command1");
            QVERIFY(w->isVisible());
            Modal::Click(w, "Command2");
        });
        top.cmdSakusei->click();
        QCOMPARE(Modal::Log(), QStringList{"frmList"});
    }

    // One path through ▲ ▼ ▲10 ▼10: none passes the top or the empty row after the last event.
    void navigation()
    {
        Item item(Texts(11));
        item.Open();
        auto& w = *item.w;
        QCOMPARE(w.Label1->text() + '|' + w.Label7->text(), item.dir.path() + QStringLiteral("|題名"));
        QString path;
        for (QPushButton* b : {w.cmd10Next, w.cmdNext, w.cmdNext, w.cmd10Before, w.cmd10Next, w.cmdBefore, w.cmd10Before, w.cmdBefore})
            b->click(), path += QString::number(item.m.EventIndex) + ' ';
        QCOMPARE(path, "11 12 12 2 2 1 1 1 ");
    }

    // Every kind previewed by moving onto it with ▼: "text|sound calls|P while
    // a picture shows" and the message of the row; a picture stays until one
    // that can be shown. Then "次へ" from row 1 applies the rows up to the next
    // text and stops there, the last picture it passed shown; again, it goes
    // over the rest to the empty row, where it stays.
    void previewAndPlayForward()
    {
        Item item({{kText, "A"}, {kWavStop, ""}, {kWait, "1000"}, {kClearText, ""}, {kPicture, "P.BMP"},
                   {kPicture, "gone.bmp"}, {kWavOnce, "s.wav"}, {kWavLoop, "S.WAV"}, {kText, "B"},
                   {kPicture, "broken.jpg"}, {kWavOnce, "none.wav"}, {kEndless, kBackToStart}},
                  {"p.bmp", "s.wav", "broken.jpg"});
        item.Open();
        const struct { const char* shown; QString notice; } rows[] = {
            {"A|stop|", {}}, {"1000||", {}}, {" ||", {}}, {" ||P", {}}, {" ||P", MissingPictureNotice()},
            {" |stop,once s.wav|P", {}}, {" |stop,loop s.wav|P", {}}, {"B||P", {}},
            {"B||P", UndecodablePictureNotice()}, {"B||P", MissingWavNotice()}, {"B||P", {}}};
        for (const auto& r : rows) {
            item.platform.sounds.clear(), Modal::Reset();
            if (!r.notice.isEmpty()) Modal::Expect("frmError", Yes);
            item.w->cmdNext->click();
            QCOMPARE(item.w->lblTextKasou->text() + '|' + item.platform.sounds.join(',') + '|'
                         + (item.w->imgA_kasou->pixmap().isNull() ? "" : "P"), r.shown);
            QCOMPARE(Modal::Texts().join(""), r.notice);
        }
        QCOMPARE(item.View(), "11|" + kWavOnce + "|none.wav|12|" + kEndless + '|' + kBackToStart + "|13||");

        item.platform.sounds.clear(), Modal::Reset();
        item.Open();
        Modal::Expect("frmError", Yes);
        item.w->cmdNext_Kasou->click();
        QCOMPARE(QString::number(item.m.EventIndex) + item.w->lblTextKasou->text(), "9B");
        QVERIFY(!item.w->imgA_kasou->pixmap().isNull());
        QCOMPARE(item.platform.sounds, (QStringList{"stop", "stop", "once s.wav", "stop", "loop s.wav"}));
        Modal::Expect("frmError", Yes);
        Modal::Expect("frmError", Yes);
        item.w->cmdNext_Kasou->click();
        item.w->cmdNext_Kasou->click();
        QCOMPARE(Modal::Texts(), (QStringList{MissingPictureNotice(), UndecodablePictureNotice(), MissingWavNotice()}));
        QCOMPARE(item.m.EventIndex, 13);
    }

    // A wait changed to a text: the text dialog opens with its number, keeps
    // the blanks typed, and the preview shows the text. Cancel in the kind
    // picker changes and replays nothing. The picture picker offers pictures
    // only; closed through its frame, it leaves the new row empty.
    void editing()
    {
        Item item({{kWait, "1500"}, {kWavLoop, "b.wav"}}, {"a.BMP", "b.wav", "notes.txt"});
        item.Open();
        auto& w = *item.w;
        item.Edit(w.cmdHenshu, kText, "frmText2", [](QWidget* d) {
            QCOMPARE(d->findChild<QLineEdit*>("txtText")->text(), "1500");
            Modal::TypeText(QStringLiteral("  新  "))(d);
        });
        QCOMPARE(item.Row(1) + '|' + w.lblTextKasou->text(), kText + QStringLiteral(":  新  |  新  "));
        w.cmdNext->click();
        const QStringList sounds = item.platform.sounds;
        Modal::Expect("form2", [](QWidget* d) { Modal::Click(d, "Command1"); });
        w.cmdHenshu->click();
        QCOMPARE(item.Row(2), kWavLoop + ":b.wav");
        QCOMPARE(item.platform.sounds, sounds);
        w.cmdNext->click();
        item.Edit(w.cmdHenshu, kPicture, "frmFilesentaku", [](QWidget* d) {
            const auto* list = d->findChild<QListWidget*>("File1");
            QVERIFY(list->count() == 1 && list->item(0)->text() == "a.BMP");
            d->close();
        });
        QCOMPARE(item.Row(3), ":");
    }

    // Folders without pictures or wav files: the message and an emptied row,
    // which ▼ does not pass.
    void folderWithoutMedia()
    {
        Item item(Texts(3), {"readme.txt"});
        item.Open();
        auto& w = *item.w;
        w.cmdNext->click();
        item.Edit(w.cmdHenshu, kPicture, "frmError", Yes);
        item.Edit(w.cmdSounyuSita, kWavLoop, "frmError", Yes);
        QCOMPARE(Modal::Texts(), (QStringList{"", EventEditing::kNoPictureMessage, "", EventEditing::kNoWavMessage}));
        QCOMPARE(item.View(), "2|||3|||4|" + kText + "|3");
        w.cmdBefore->click();
        w.cmdNext->click();
        QCOMPARE(item.m.EventIndex, 2);
    }

    // Insert above, delete below after a question ("No" changes nothing),
    // delete above from the empty row after the last event; a full list
    // refuses both inserts.
    void insertAndDelete()
    {
        Item item(Texts(3));
        item.Open();
        auto& w = *item.w;
        w.cmdNext->click(), w.cmdNext->click();
        item.Edit(w.cmdSounyuUe, kClearText);
        Modal::Expect("frmYesNo", [](QWidget* d) { Modal::Click(d, "Command2"); });
        w.cmdSakujoSita->click();
        Modal::Expect("frmYesNo", Yes);
        w.cmdSakujoSita->click();
        w.cmdNext->click();
        Modal::Expect("frmYesNo", Yes);
        w.cmdSakujoUe->click();
        QCOMPARE(item.View(), "2|" + kText + "|2|3|||4||");
        const QString question = EventEditing::kDeleteQuestionTail;
        QCOMPARE(Modal::Texts(), (QStringList{"", "4" + question, "4" + question, "3" + question}));

        Item full(Texts(999));
        full.Open();
        for (QPushButton* b : {full.w->cmdSounyuUe, full.w->cmdSounyuSita}) {
            Modal::Expect("frmError", Yes);
            b->click();
        }
        QCOMPARE(Modal::Texts().mid(4), QStringList(2, EventEditing::kListFullMessage));
    }

    // "▶ ここから再生" with the test as its clock ("n" is "次へ", "t" a tick):
    // the waits in order, a pause on each text, "エンドレス" back to row 1,
    // missing files skipped and listed once when the button stops it; from the
    // current row, Escape stops it and keeps the window. An item ends on its
    // empty row; one that would spin forever is refused.
    void play()
    {
        Item item({{kText, "A"}, {kWait, "1500"}, {kPicture, "gone.bmp"}, {kWavOnce, "none.wav"}, {kWait, "200"},
                   {kText, "B"}, {kPicture, "gone.bmp"}, {kEndless, kBackToStart}});
        item.Open();
        auto& w = *item.w;
        w.cmdPlay->click();
        QVERIFY(!w.Command3->isEnabled() && !w.cmdHenshu->isEnabled() && w.cmdNext_Kasou->isEnabled());
        QString trace = item.State();
        for (const char c : QByteArray("nttnnt")) c == 'n' ? w.cmdNext_Kasou->click() : w.Timer1_Timer(), trace += ',' + item.State();
        QCOMPARE(trace, "1 A,2 1500,5 200,6 B,1 A,2 1500,5 200");
        Modal::Expect("frmError", Yes);
        w.cmdPlay->click();
        QCOMPARE(item.State(), "5 stopped");
        QCOMPARE(Modal::Texts(), QStringList{SkippedRowsMessage({"3（gone.bmp）", "4（none.wav）", "7（gone.bmp）"})});
        QVERIFY(w.Command3->isEnabled() && w.cmdHenshu->isEnabled());
        QCOMPARE(item.platform.sounds.last(), "stop");
        w.cmdNext->click();
        w.cmdPlay->click();
        QCOMPARE(item.State(), "6 B");
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(item.State(), "6 stopped");
        QVERIFY(w.isVisible() && !w.Timer1->isActive());

        Item ends({{kWavLoop, "s.wav"}, {kWait, "100"}}, {"s.wav"});
        ends.Open();
        ends.w->cmdPlay->click();
        ends.w->Timer1_Timer();
        QCOMPARE(ends.State(), "3 stopped");
        QCOMPARE(ends.platform.sounds, (QStringList{"stop", "loop s.wav", "stop", "loop s.wav", "stop"}));
        Item spins({{kWavOnce, "s.wav"}, {kPicture, "x.bmp"}, {kEndless, kBackToStart}, {kWait, "100"}}, {"s.wav"});
        spins.Open();
        Modal::Expect("frmError", Yes);
        spins.w->cmdPlay->click();
        QCOMPARE(Modal::Texts().last(), SpinsForeverMessage());
        QCOMPARE(spins.State(), "1 stopped");
    }

    // The return: a failed write says so and keeps the window (the frame
    // does not close it either); the next return stops the sound, closes and
    // writes the file back byte for byte.
    void returnSavesOrStaysOpen()
    {
        Item item({{kWavLoop, "s.wav"}, {kText, QStringLiteral("こんにちは, 世界")}}, {"s.wav"});
        const QByteArray before = Bytes::Read(item.Path("1.pev"));
        item.platform.noSoundDevice = true;  // the loop is silent: the window says why
        item.Open();
        QVERIFY(item.w->lblSound->isVisibleTo(item.w.get()));
        item.w->close();
        QVERIFY(QFile::remove(item.Path("1.pev")) && QDir().mkdir(item.Path("1.pev")));
        Modal::Expect("frmError", Yes);
        item.w->Command3->click();
        QCOMPARE(Modal::Texts(), QStringList{Records::SaveFailedMessage("1.pev")});
        QVERIFY(item.w->isVisible() && QDir().rmdir(item.Path("1.pev")));
        item.w->Command3->click();
        QVERIFY(!item.w->isVisible());
        QCOMPARE(item.platform.sounds.last(), "stop");
        QCOMPARE(Bytes::Read(item.Path("1.pev")), before);
    }

    // The preview as heard through the program's own platform: SDL's disk
    // driver writes what would be heard to a file in real time. A looping wav
    // goes on until "Wav停止" or the return silences it.
    void soundHeardUntilStopOrReturn()
    {
        Item item({{kWavLoop, "tone.wav"}, {kWavStop, ""}});
        QVERIFY(Bytes::Write(item.Path("tone.wav"), ToneWav()));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(item.Path("heard.raw")));
        const auto heard = [&] {  // in the last few milliseconds written
            QFile out(item.Path("heard.raw"));
            if (!out.open(QIODevice::ReadOnly) || out.size() < 8192 || !out.seek(out.size() - 8192)) return false;
            const QByteArray tail = out.readAll();
            return tail.count('\0') != tail.size();
        };
        QtPlatform platform;
        item.Open(platform);
        QTest::qWait(1000);  // more than three lengths of the tone
        QVERIFY(heard());
        item.w->cmdNext->click();
        QTRY_VERIFY_WITH_TIMEOUT(!heard(), 500);
        item.w->cmdBefore->click();
        QTRY_VERIFY_WITH_TIMEOUT(heard(), 500);
        QTest::qWait(700);
        QVERIFY(heard());
        item.w->Command3->click();
        QTRY_VERIFY_WITH_TIMEOUT(!heard(), 500);
        QVERIFY(!item.w->isVisible());
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo3)
#include "tst_frmPelumo3.moc"
