// Editing events in the real event editor, with the kind picker, the text,
// wait and file dialogs answered as a user would: every kind's path, a
// changed kind, cancel, folders without pictures or wav files, insert and
// delete, the full list.

#include "core/EventEditing.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "eventedit/frmPelumo3.h"
#include "support/Bytes.h"
#include "support/FakePlatform.h"
#include "support/GuiTest.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace EventKinds;

namespace {

// form2: clicks `kind` in the list, as a user picks it.
Modal::Handler Kind(const QString& kind)
{
    return [kind](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("lstList");
        const auto found = list->findItems(kind, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    };
}

// frmFilesentaku: `offered` must be the list; picks its first entry.
Modal::Handler Pick(const QStringList& offered)
{
    return [offered](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("File1");
        QStringList names;
        for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
        QCOMPARE(names, offered);
        list->setCurrentRow(0);
        Modal::Click(w, "Command1");
    };
}

Modal::Handler Wait(const QString& typed)
{
    return [typed](QWidget* w) {
        Modal::CommitText(w->findChild<QLineEdit*>("Text1"), typed);
        Modal::Click(w, "Command1");
    };
}

struct Editor {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    FakePlatform platform;
    std::unique_ptr<frmPelumo3> w;

    // An item whose events are texts "A", "B", ... (`events` of them), in a
    // folder holding `files`.
    Editor(int events, const QStringList& files)
    {
        m->ProjectFolder = dir.path();
        m->ListTable[1][1] = "x";
        m->ListTable[1][2] = "1.pev";
        m->ItemIndex = 1;
        for (int r = 1; r <= events; ++r) {
            m->EventTable[r][0] = kText;
            m->EventTable[r][1] = r <= 26 ? QString(QChar('A' + r - 1)) : QString::number(r);
        }
        EventFile::Write(*m);
        for (const QString& f : files) {
            if (f.endsWith(".bmp", Qt::CaseInsensitive)) QImage(8, 6, QImage::Format_RGB32).save(dir.filePath(f), "BMP");
            else Bytes::Write(dir.filePath(f), "RIFF");
        }
        w = std::make_unique<frmPelumo3>(*m, platform);
        w->setWindowModality(Qt::NonModal);
        w->show();
    }
    // Runs `button`, answering form2 with `kind` and then, if given, the
    // kind's own dialog `form` with `answer`.
    void Edit(QPushButton* button, const QString& kind, const char* form = nullptr, Modal::Handler answer = {})
    {
        Modal::Expect("form2", Kind(kind));
        if (form) Modal::Expect(form, answer);
        button->click();
    }
    QString Row(int r) const { return m->EventTable[r][0] + ':' + m->EventTable[r][1]; }
    QString Rows(int from, int to) const
    {
        QStringList out;
        for (int r = from; r <= to; ++r) out << Row(r);
        return out.join(' ');
    }
};

void Ok(QWidget* w) { Modal::Click(w, "Command1"); }

}  // namespace

class TestEventEditing : public QObject {
    Q_OBJECT

private slots:
    void init() { Modal::Reset(); }
    void cleanup() { QCOMPARE(Modal::Pending(), 0); }

    // Every kind appended on the empty row after the last event, each
    // previewed at once; then a changed kind and a cancel.
    void everyKindAppended()
    {
        Editor e(0, {"a.BMP", "b.wav", "notes.txt"});
        auto& w = *e.w;
        Modal::Expect("form2", [](QWidget* w) {
            QVERIFY(w->findChild<QPushButton*>("Command1")->isHidden());  // a kind must be chosen
            Kind(kText)(w);
        });
        Modal::Expect("frmText2", Modal::TypeText(QStringLiteral("  はじめ  ")));
        w.cmdHenshu->click();
        QCOMPARE(w.lblTextKasou->text(), QStringLiteral("  はじめ  "));
        const struct { QString kind; const char* form; Modal::Handler answer; } steps[] = {
            {kPicture, "frmFilesentaku", Pick({"a.BMP"})},
            {kWavOnce, "frmFilesentaku", Pick({"b.wav"})},
            {kWavLoop, "frmFilesentaku", Pick({"b.wav"})},
            {kWavStop, nullptr, {}},
            {kWait, "frmWait", Wait("１５００")},
            {kClearText, nullptr, {}},
            {kEndless, nullptr, {}},
        };
        for (const auto& step : steps) {
            w.cmdNext->click();
            e.Edit(w.cmdHenshu, step.kind, step.form, step.answer);
        }
        QCOMPARE(e.Rows(1, 9), kText + ":  はじめ  " + ' ' + kPicture + ":a.BMP " + kWavOnce + ":b.wav " + kWavLoop
                                   + ":b.wav " + kWavStop + ": " + kWait + ":1500 " + kClearText + ": " + kEndless + ':'
                                   + kBackToStart + " :");
        QVERIFY(!w.imgA_kasou->pixmap().isNull());
        QCOMPARE(w.lblTextKasou->text(), " ");
        QCOMPARE(e.platform.sounds, (QStringList{"stop", "once b.wav", "stop", "loop b.wav", "stop", "stop"}));

        // The wait changed to a text: the text dialog opens with 1500.
        for (int i = 0; i < 2; ++i) w.cmdBefore->click();
        e.Edit(w.cmdHenshu, kText, "frmText2", [](QWidget* d) {
            QCOMPARE(d->findChild<QLineEdit*>("txtText")->text(), "1500");
            Modal::TypeText(QStringLiteral("新"))(d);
        });
        QCOMPARE(e.Row(6), kText + ":新");
        // Cancel on the looping wav row: nothing changes, nothing replays.
        for (int i = 0; i < 2; ++i) w.cmdBefore->click();
        const int sounds = e.platform.sounds.size();
        Modal::Expect("form2", [](QWidget* d) { Modal::Click(d, "Command1"); });
        w.cmdHenshu->click();
        QCOMPARE(e.Row(4), kWavLoop + ":b.wav");
        QCOMPARE(e.platform.sounds.size(), sounds);
        // The file picker closed through its frame on a new row: the row is
        // emptied, not left a picture without a file.
        for (int i = 0; i < 5; ++i) w.cmdNext->click();
        QCOMPARE(e.m->EventIndex, 9);
        e.Edit(w.cmdHenshu, kPicture, "frmFilesentaku", [](QWidget* d) { d->close(); });
        QCOMPARE(e.Row(9), ":");
    }

    // A folder without pictures or wav files: the message, and an empty row
    // in the middle of the list that ▼ does not pass.
    void foldersWithoutMedia()
    {
        Editor e(3, {"readme.txt"});
        auto& w = *e.w;
        w.cmdNext->click();
        e.Edit(w.cmdHenshu, kPicture, "frmError", Ok);
        e.Edit(w.cmdSounyuSita, kWavLoop, "frmError", Ok);
        QCOMPARE(Modal::Texts(), (QStringList{"", EventEditing::kNoPictureMessage, "", EventEditing::kNoWavMessage}));
        QCOMPARE(e.Rows(1, 5), kText + ":A : : " + kText + ":C :");
        QCOMPARE(e.m->EventIndex, 3);
        w.cmdBefore->click();
        w.cmdNext->click();
        QCOMPARE(e.m->EventIndex, 2);
    }

    // Insert at and below the current row, delete above and below after a
    // question, "No" changing nothing; the full list refuses both inserts.
    void insertDeleteAndFullList()
    {
        Editor e(5, {});
        auto& w = *e.w;
        w.cmdNext->click();
        w.cmdNext->click();
        e.Edit(w.cmdSounyuUe, kClearText);
        QCOMPARE(e.Rows(1, 6), kText + ":A " + kText + ":B " + kClearText + ": " + kText + ":C " + kText + ":D " + kText + ":E");
        QCOMPARE(e.m->EventIndex, 3);
        Modal::Expect("frmYesNo", [](QWidget* d) { Modal::Click(d, "Command2"); });
        w.cmdSakujoSita->click();
        Modal::Expect("frmYesNo", Ok);
        w.cmdSakujoSita->click();
        QCOMPARE(Modal::Texts(), (QStringList{"", "4番のイベントを削除します。いいですか？", "4番のイベントを削除します。いいですか？"}));
        Modal::Expect("frmYesNo", Ok);
        w.cmdSakujoUe->click();
        QCOMPARE(e.Rows(1, 5), kText + ":A " + kClearText + ": " + kText + ":D " + kText + ":E :");
        QCOMPARE(e.m->EventIndex, 3);
        QCOMPARE(e.w->lblText->text(), "D");

        Editor full(999, {});
        for (QPushButton* b : {full.w->cmdSounyuUe, full.w->cmdSounyuSita}) {
            Modal::Expect("frmError", Ok);
            b->click();
        }
        QCOMPARE(Modal::Texts().mid(4), QStringList(2, EventEditing::kListFullMessage));
        QCOMPARE(full.Row(999), kText + ":999");
    }
};

PELUMO_GUI_TEST_MAIN(TestEventEditing)
#include "tst_event_editing.moc"
