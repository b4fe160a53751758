// The event editor on real event files, its dialogs answered as a user would.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/Records.h"
#include "eventedit/frmPelumo3.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

using namespace EventKinds;
using namespace EventRules;

namespace {

const QByteArray kSilentWav = Bytes::Wav(1, 1, 22050, 16, Bytes::Chunk("data", QByteArray(4, '\0')));  // two samples

// Item "題名", file "1.pev", with events `rows` from row 1 (or texts "1".."texts"), in a folder that
// also holds `files` (a .bmp is a picture, a .wav a short silence), open in the event editor.
struct Item {
    QTemporaryDir dir;
    Module1 m;
    FakePlatform platform;
    std::unique_ptr<frmPelumo3> w;

    explicit Item(const QList<QStringList>& rows, const QStringList& files = {}, int texts = 0)
    {
        m.ProjectFolder = dir.path();
        m.ListTable[1][1] = QStringLiteral("題名"), m.ListTable[1][2] = "1.pev", m.ItemIndex = 1;
        for (int r = 1; r <= texts; ++r) m.EventTable[r][0] = kText, m.EventTable[r][1] = QString::number(r);
        for (int r = 0; r < rows.size(); ++r) m.EventTable[r + 1][0] = rows[r][0], m.EventTable[r + 1][1] = rows[r][1];
        EventFile::Write(m.ProjectFolder, EventFile::NameOf(m), m.EventTable);
        m.ClearEventTable();
        for (const QString& f : files) Write(f);
        Open();
    }
    bool Write(const QString& f) const
    {
        return f.endsWith(".bmp", Qt::CaseInsensitive) ? QImage(40, 30, QImage::Format_RGB32).save(Path(f), "BMP")
                                                       : Bytes::Write(Path(f), f.endsWith(".wav") ? kSilentWav : QByteArray("text"));
    }
    void Open()
    {
        w = std::make_unique<frmPelumo3>(m, platform);
        w->setWindowModality(Qt::NonModal);  // only the dialogs it opens are modal
        w->show();
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    // "number|kind|parameter" of the upper, current and lower row.
    QString View() const
    {
        return QStringList{w->lblNoBefore->text(), w->lblYousoBefore->text(), w->lblTextUe->text(),
                           w->lblNo->text(), w->lblYouso->text(), w->lblText->text(),
                           w->lblNoNext->text(), w->lblYousoNext->text(), w->lblTextSita->text()}
            .join('|');
    }
    // "text|sound calls|P while a picture shows" of the preview.
    QString Preview() const
    {
        return w->lblTextKasou->text() + '|' + platform.sounds.join(',') + (w->imgA_kasou->pixmap().isNull() ? "|" : "|P");
    }
    QString Row(int r) const { return m.EventTable[r][0] + ':' + m.EventTable[r][1]; }
    // Runs `button`, picking `kind` in form2, then answers `form` (if given) with `answer`, or its Command1.
    void Edit(QPushButton* button, const QString& kind, const char* form = nullptr, Modal::Handler answer = {})
    {
        Modal::Expect("form2", Modal::Enter(kind));
        if (form) answer ? Modal::Expect(form, answer) : Modal::Expect(form);
        button->click();
    }
    // The play: "row wait-ms" while its clock "Timer1" runs, "row text" while it waits for "次へ", "row stopped".
    QString State() const
    {
        const QString row = QString::number(m.EventIndex) + ' ';
        if (w->cmdPlay->text() != QStringLiteral("■ 停止")) return row + "stopped";
        const auto* clock = w->findChild<QTimer*>("Timer1");
        return row + (clock->isActive() ? QString::number(clock->interval()) : w->lblTextKasou->text());
    }
};

}  // namespace

class TestFrmPelumo3 : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // Every kind previewed by ▼ onto it, with its message; a picture stays until one that can be
    // shown. "次へ" applies the rows up to the next text, showing the last picture it passed.
    void previewAndPlayForward()
    {
        Item item({{kText, "A"}, {kWavStop, ""}, {kWait, "1000"}, {kClearText, ""}, {kPicture, "P.BMP"}, {kPicture, "gone.bmp"}, {kWavOnce, "s.wav"}, {kWavLoop, "S.WAV"}, {kText, "B"}, {kPicture, "broken.jpg"}, {kWavOnce, "none.wav"}, {kEndless, kBackToStart}},
                  {"p.bmp", "s.wav", "broken.jpg"});
        const struct {
            const char* shown;
            QString notice;
        } rows[] = {
            {"A|stop|", {}}, {"1000||", {}}, {" ||", {}}, {" ||P", {}}, {" ||P", MissingPictureNotice()}, {" |stop,once s.wav|P", {}}, {" |stop,loop s.wav|P", {}}, {"B||P", {}}, {"B||P", UndecodablePictureNotice()}, {"B||P", MissingWavNotice()}, {"B||P", {}}};
        for (const auto& r : rows) {
            item.platform.sounds.clear(), Modal::Reset();
            if (!r.notice.isEmpty()) Modal::Expect("frmError");
            item.w->cmdNext->click();
            QCOMPARE(item.Preview(), r.shown);
            QCOMPARE(Modal::Texts().join(""), r.notice);
        }
        QCOMPARE(item.View(), "11|" + kWavOnce + "|none.wav|12|" + kEndless + '|' + kBackToStart + "|13||");

        item.platform.sounds.clear(), Modal::Reset();
        item.Open();
        Modal::Expect("frmError");
        item.w->cmdNext_Kasou->click();
        QCOMPARE(QString::number(item.m.EventIndex) + item.Preview(), "9B|stop,stop,once s.wav,stop,loop s.wav|P");
        Modal::Expect("frmError");
        Modal::Expect("frmError");
        item.w->cmdNext_Kasou->click();
        item.w->cmdNext_Kasou->click();
        QCOMPARE(Modal::Texts(), (QStringList{MissingPictureNotice(), UndecodablePictureNotice(), MissingWavNotice()}));
        QCOMPARE(item.m.EventIndex, 13);
    }

    // A wait made a text (the dialog shows the number, keeps blanks); Cancel in the kind picker
    // replays nothing; without pictures or wav files, a message and an emptied row; the picture
    // picker offers pictures only and, closed through its frame, leaves the row empty.
    void editing()
    {
        Item item({{kWait, "1500"}, {kWavLoop, "b.wav"}, {kText, "3"}}, {"b.wav", "notes.txt"});
        auto& w = *item.w;
        item.Edit(w.cmdHenshu, kText, "frmText2", [](QWidget* d) {
            QCOMPARE(d->findChild<QLineEdit*>("txtText")->text(), "1500");
            Modal::Enter(QStringLiteral("  新  "))(d);
        });
        QCOMPARE(item.Row(1) + '|' + w.lblTextKasou->text(), kText + QStringLiteral(":  新  |  新  "));
        w.cmdNext->click();
        const QStringList sounds = item.platform.sounds;
        Modal::Expect("form2");
        w.cmdHenshu->click();
        QCOMPARE(item.Row(2) + item.platform.sounds.join(','), kWavLoop + ":b.wav" + sounds.join(','));
        item.Edit(w.cmdHenshu, kPicture, "frmError");
        QVERIFY(QFile::remove(item.Path("b.wav")));
        item.Edit(w.cmdSounyuSita, kWavLoop, "frmError");
        QCOMPARE(Modal::Texts().mid(3), (QStringList{"", EventRules::NoPictureMessage(), "", EventRules::NoWavMessage()}));
        QCOMPARE(item.View(), "2|||3|||4|" + kText + "|3");
        QVERIFY(item.Write("a.BMP"));
        item.Edit(w.cmdHenshu, kPicture, "frmFilesentaku", [](QWidget* d) {
            const auto* list = d->findChild<QListWidget*>("File1");
            QVERIFY(list->count() == 1 && list->item(0)->text() == "a.BMP");
            d->close();
        });
        QCOMPARE(item.Row(3), ":");
    }

    // ▲ ▼ ▲10 ▼10 stop at the top and at the empty row after the last event. Insert above, delete
    // below after a question ("No" keeps it), delete above from that empty row; a full list refuses.
    void navigationInsertAndDelete()
    {
        Item item({}, {}, 11);
        auto& w = *item.w;
        QCOMPARE(w.Label1->text() + '|' + w.Label7->text(), item.dir.path() + QStringLiteral("|題名"));
        QString path;
        for (QPushButton* b : {w.cmd10Next, w.cmdNext, w.cmdNext, w.cmd10Before, w.cmd10Next, w.cmdBefore, w.cmd10Before, w.cmdBefore})
            b->click(), path += QString::number(item.m.EventIndex) + ' ';
        QCOMPARE(path, "11 12 12 2 2 1 1 1 ");
        w.cmd10Next->click();
        item.Edit(w.cmdSounyuUe, kClearText);
        for (const char* answer : {"Command2", "Command1", "Command1"}) Modal::Expect("frmYesNo", answer);
        w.cmdSakujoSita->click(), w.cmdSakujoSita->click();
        w.cmdNext->click(), w.cmdSakujoUe->click();
        QCOMPARE(item.View(), "10|" + kText + "|10|11|||12||");
        QCOMPARE(Modal::Texts(), (QStringList{"", DeleteQuestion(12), DeleteQuestion(12), DeleteQuestion(11)}));

        Item full({}, {}, 999);
        Modal::Expect("frmError"), Modal::Expect("frmError");
        full.w->cmdSounyuUe->click(), full.w->cmdSounyuSita->click();
        QCOMPARE(Modal::Texts().mid(4), QStringList(2, EventRules::ListFullMessage()));
    }

    // "▶ ここから再生" as the window shows it: only "■ 停止" and "次へ" work while it plays, and it
    // goes on when the clock has waited. The rows skipped for missing files are told when it stops;
    // Escape stops it and keeps the window. An item that would spin forever is refused.
    void play()
    {
        Item item({{kText, "A"}, {kWait, "1"}, {kPicture, "gone.bmp"}, {kWavOnce, "none.wav"}, {kWavLoop, "s.wav"}, {kWait, "1500"}},
                  {"s.wav"});
        auto& w = *item.w;
        w.cmdPlay->click();
        QCOMPARE(item.State(), "1 A");
        QVERIFY(!w.Command3->isEnabled());
        QVERIFY(w.cmdNext_Kasou->isEnabled());
        w.cmdNext_Kasou->click();
        QTRY_COMPARE(item.State(), "6 1500");
        Modal::Expect("frmError");
        w.cmdPlay->click();
        QCOMPARE(Modal::Texts(), QStringList{SkippedRowsMessage({"3（gone.bmp）", "4（none.wav）"})});
        QCOMPARE(item.State(), "6 stopped");
        QVERIFY(w.Command3->isEnabled());
        QCOMPARE(item.platform.sounds.last(), "stop");
        w.cmdPlay->click();
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(item.State(), "6 stopped");
        QVERIFY(w.isVisible());

        Item spins({{kWavOnce, "s.wav"}, {kEndless, kBackToStart}}, {"s.wav"});
        Modal::Expect("frmError");
        spins.w->cmdPlay->click();
        QCOMPARE(Modal::Texts().last() + '|' + spins.State(), SpinsForeverMessage() + "|1 stopped");
    }

    // A list row that names a picture as an item's events: the editor refuses to open, and the
    // picture keeps its bytes.
    void pictureNamedAsEventsIsRefused()
    {
        Item item({});
        QVERIFY(item.Write("photo.bmp"));
        const QByteArray picture = Bytes::Read(item.Path("photo.bmp"));
        item.m.ListTable[1][2] = "photo.bmp";
        Modal::Expect("frmError");
        item.Open();
        QCOMPARE(Modal::Texts(), QStringList{BadEventFileNameMessage("photo.bmp")});
        QVERIFY(!item.w->Opened());
        item.w.reset();
        QCOMPARE(Bytes::Read(item.Path("photo.bmp")), picture);
    }

    // A failed write says so and keeps the window (the frame does not close it either); the next
    // return stops the sound, closes and writes the file back byte for byte.
    void returnSavesOrStaysOpen()
    {
        Item item({{kWavLoop, "s.wav"}, {kText, QStringLiteral("こんにちは, 世界")}}, {"s.wav"});
        const QByteArray before = Bytes::Read(item.Path("1.pev"));
        item.platform.noSoundDevice = true;  // the loop is silent: the window says why
        item.Open();
        QVERIFY(item.w->lblSound->isVisibleTo(item.w.get()));
        item.w->close();
        QVERIFY(QFile::remove(item.Path("1.pev")) && QDir().mkdir(item.Path("1.pev")));
        Modal::Expect("frmError");
        item.w->Command3->click();
        QCOMPARE(Modal::Texts(), QStringList{Records::SaveFailedMessage("1.pev")});
        QVERIFY(item.w->isVisible() && QDir().rmdir(item.Path("1.pev")));
        item.w->Command3->click();
        QVERIFY(!item.w->isVisible());
        QCOMPARE(item.platform.sounds.last(), "stop");
        QCOMPARE(Bytes::Read(item.Path("1.pev")), before);
    }
};

PELUMO_GUI_TEST_MAIN(TestFrmPelumo3)
#include "tst_frmPelumo3.moc"
