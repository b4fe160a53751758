#include "eventedit/frmPelumo3.h"

#include "core/EventEditing.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/Module1.h"
#include "core/ProjectFiles.h"
#include "core/ShowCheck.h"
#include "dialogs/Messages.h"
#include "dialogs/form2.h"
#include "dialogs/frmFilesentaku.h"
#include "dialogs/frmText2.h"
#include "dialogs/frmWait.h"
#include "forms/FormLayout.h"
#include "forms/Picture.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <iterator>

using namespace FormLayout;
using EventRules::PreviewAction;

namespace {

QLabel* RowLabel(QWidget* form, const char* name, const QRect& twips, const QFont& font, bool centred)
{
    QLabel* label = AddLabel(form, name, QString(), twips, font);
    Framed(label);
    label->setWordWrap(true);
    if (centred) label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* NumberLabel(QWidget* form, const char* name, const QString& caption, const QRect& twips)
{
    QLabel* label = AddLabel(form, name, caption, twips, Font(kGothic, 9, true));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

}  // namespace

frmPelumo3::frmPelumo3(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    setObjectName(QStringLiteral("frmPelumo3"));
    setWindowTitle(QStringLiteral("ペルモ イベント編集画面"));
    setModal(true);
    // No close box: "トップメニューに戻る" saves and is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(Font(kGothic, 9, true));
    SetClientArea(this, 12000, 8985);
    const QColor windowColour = QApplication::palette().color(QPalette::Base);

    // The preview pane: a grey imitation of the player's screen.
    fraKasou = Add<QGroupBox>(this, "fraKasou", QRect(240, 240, 7200, 5400), Font(kGothic, 9, false));
    fraKasou->setTitle(QStringLiteral("デフォルト画面"));
    Background(fraKasou, QColor(128, 128, 128));
    imgA_kasou = Add<QLabel>(fraKasou, "imgA_kasou", QRect(600, 150, 5670, 4245), fraKasou->font());
    imgA_kasou->setScaledContents(true);
    imgB_Kasou = Add<QLabel>(fraKasou, "imgB_Kasou", QRect(8000, 150, 5666, 4250), fraKasou->font());
    lblTextKasou = AddLabel(fraKasou, "lblTextKasou", QString(), QRect(240, 4440, 6255, 855), Font(kMincho, 12, true));
    lblTextKasou->setWordWrap(true);
    Background(lblTextKasou, QApplication::palette().color(QPalette::Window));
    cmdNext_Kasou = AddButton(fraKasou, "cmdNext_Kasou", QStringLiteral("次へ"), QRect(6550, 4800, 600, 405),
                              fraKasou->font(), QStringLiteral("次のイベントへ"));

    Command3 = AddButton(this, "Command3", QStringLiteral("トップメニューに戻る"), QRect(7920, 4680, 3855, 495),
                         Font(kGothic, 12, true), QStringLiteral("トップメニューへ戻る"));
    Label2 = AddLabel(this, "Label2", QStringLiteral("編集中のフォルダ"), QRect(8400, 480, 2775, 375),
                      Font(kGothic, 14.25, true));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = RowLabel(this, "Label1", QRect(7920, 1080, 3855, 540), Font(kGothic, 9.75, true), false);
    Label1->setText(QStringLiteral("Label1"));
    Background(Label1, Qt::white);
    Label4 = AddLabel(this, "Label4", QStringLiteral("項目名"), QRect(8520, 2400, 2775, 300), Font(kGothic, 14.25, true));
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label7 = RowLabel(this, "Label7", QRect(7920, 2880, 3855, 420), Font(kMincho, 12, true), true);
    Label7->setText(QStringLiteral("表題"));
    Background(Label7, windowColour);

    lblNoBefore = NumberLabel(this, "lblNoBefore", QStringLiteral("1"), QRect(360, 5760, 735, 180));
    lblYousoBefore = RowLabel(this, "lblYousoBefore", QRect(120, 6000, 1215, 495), Font(kGothic, 9.75, true), true);
    lblTextUe = RowLabel(this, "lblTextUe", QRect(1560, 5730, 8535, 750), Font(kGothic, 12, true), false);
    lblNo = NumberLabel(this, "lblNo", QStringLiteral("2"), QRect(360, 7020, 735, 180));
    lblYouso = RowLabel(this, "lblYouso", QRect(120, 7320, 1215, 495), Font(kGothic, 9.75, true), true);
    Background(lblYouso, windowColour);
    lblText = RowLabel(this, "lblText", QRect(1560, 6600, 8535, 1455), Font(kMincho, 15.75, true), false);
    Background(lblText, windowColour);
    lblNoNext = NumberLabel(this, "lblNoNext", QStringLiteral("3"), QRect(360, 8160, 735, 180));
    lblYousoNext = RowLabel(this, "lblYousoNext", QRect(120, 8400, 1215, 495), Font(kGothic, 9.75, true), false);
    lblTextSita = RowLabel(this, "lblTextSita", QRect(1560, 8160, 8535, 750), Font(kGothic, 12, true), false);

    const QFont command = Font(kGothic, 9.75, true);
    const QString insertTip = QStringLiteral("イベントデータを挿入");
    cmdSakujoUe = AddButton(this, "cmdSakujoUe", QStringLiteral("← 削除"), QRect(10320, 5760, 870, 375), command,
                            QStringLiteral("一つ上のイベントデータを削除"));
    cmdSounyuUe = AddButton(this, "cmdSounyuUe", QStringLiteral("← 挿入"), QRect(10320, 6220, 870, 375), command,
                            insertTip);
    cmdBefore = AddButton(this, "cmdBefore", QStringLiteral("▲"), QRect(10320, 6680, 870, 375),
                          Font(kGothic, 9, false), QStringLiteral("一つ上へ"));
    cmd10Before = AddButton(this, "cmd10Before", QStringLiteral("▲ 10"), QRect(11250, 6690, 750, 375),
                            Font(kGothic, 9, true), QStringLiteral("10上へ"));
    cmdHenshu = AddButton(this, "cmdHenshu", QStringLiteral("← 編集"), QRect(10320, 7140, 870, 375), command,
                          QStringLiteral("イベントを編集"));
    cmdNext = AddButton(this, "cmdNext", QStringLiteral("▼"), QRect(10320, 7600, 870, 375), Font(kGothic, 9, false),
                        QStringLiteral("一つ下へ"));
    cmd10Next = AddButton(this, "cmd10Next", QStringLiteral("▼ 10"), QRect(11250, 7560, 750, 375),
                          Font(kGothic, 9, true), QStringLiteral("10下へ"));
    cmdSounyuSita = AddButton(this, "cmdSounyuSita", QStringLiteral("← 挿入"), QRect(10320, 8060, 870, 375), command,
                              insertTip);
    cmdSakujoSita = AddButton(this, "cmdSakujoSita", QStringLiteral("← 削除"), QRect(10320, 8520, 870, 375), command,
                              QStringLiteral("一つ下のイベントデータを削除"));

    cmdPlay = AddButton(this, "cmdPlay", QStringLiteral("▶ ここから再生"), QRect(7920, 3600, 3855, 495),
                        Font(kGothic, 12, true), QStringLiteral("ウエイトを守って、この行から再生します"));

    // Says, once a sound has failed for want of a device, why nothing is heard.
    lblSound = AddLabel(this, "lblSound", QStringLiteral("音を出す装置が見つからないため、音は鳴りません。"),
                        QRect(7920, 5220, 3855, 450), Font(kGothic, 9, true));
    lblSound->setWordWrap(true);
    lblSound->setVisible(platform_.SoundDeviceMissing());

    // The clock of "▶ ここから再生"; otherwise it steps one row on when it fires.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    Timer1->setSingleShot(true);

    QWidget* order[] = {Command3,  cmdPlay,     cmdSakujoUe, cmdSounyuUe,   cmdBefore,     cmd10Before,  cmdHenshu,
                        cmdNext,   cmd10Next,   cmdSounyuSita, cmdSakujoSita, cmdNext_Kasou};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Command3->setFocus();

    connect(Command3, &QPushButton::clicked, this, &frmPelumo3::Command3_Click);
    connect(cmdSakujoUe, &QPushButton::clicked, this, &frmPelumo3::cmdSakujoUe_Click);
    connect(cmdSounyuUe, &QPushButton::clicked, this, &frmPelumo3::cmdSounyuUe_Click);
    connect(cmdBefore, &QPushButton::clicked, this, &frmPelumo3::cmdBefore_Click);
    connect(cmd10Before, &QPushButton::clicked, this, &frmPelumo3::cmd10Before_Click);
    connect(cmdHenshu, &QPushButton::clicked, this, &frmPelumo3::cmdHenshu_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmPelumo3::cmdNext_Click);
    connect(cmd10Next, &QPushButton::clicked, this, &frmPelumo3::cmd10Next_Click);
    connect(cmdSounyuSita, &QPushButton::clicked, this, &frmPelumo3::cmdSounyuSita_Click);
    connect(cmdSakujoSita, &QPushButton::clicked, this, &frmPelumo3::cmdSakujoSita_Click);
    connect(cmdNext_Kasou, &QPushButton::clicked, this, &frmPelumo3::cmdNext_Kasou_Click);
    connect(cmdPlay, &QPushButton::clicked, this, &frmPelumo3::cmdPlay_Click);
    connect(Timer1, &QTimer::timeout, this, &frmPelumo3::Timer1_Timer);

    Form_Load();
}

// Opening: the item's event file must be there, or the program ends; then
// its events are read and row 1 is shown and previewed.
void frmPelumo3::Form_Load()
{
    if (!EventFile::IsEventFileName(EventFile::NameOf(m_))) {
        // Nothing outside the folder is ever read: the editor does not open.
        ShowError(EventRules::BadEventFileNameMessage(EventFile::NameOf(m_)));
        return;
    }
    if (!EventFile::Exists(m_.ProjectFolder, EventFile::NameOf(m_))) {
        ShowError(EventRules::MissingEventFileMessage());
        ShowError(EventRules::ForcedEndMessage());
        platform_.EndProgram();
        return;
    }
    Label1->setText(m_.ProjectFolder);
    Label7->setText(m_.ListTable[m_.ItemIndex][1]);
    const FileResult read = EventFile::Read(m_.ProjectFolder, EventFile::NameOf(m_), m_.EventTable);
    if (!read.ok) {
        ShowError(read.message);
        return;
    }
    opened_ = true;
    if (!read.notice.isEmpty()) ShowError(read.notice);
    m_.EventIndex = 1;
    RefreshEventView();
}

// The three rows around EventIndex, then the preview of the current row.
void frmPelumo3::RefreshEventView()
{
    const int i = m_.EventIndex;
    lblTextUe->setText(m_.EventTable[i - 1][1]);
    lblText->setText(m_.EventTable[i][1]);
    lblTextSita->setText(m_.EventTable[i + 1][1]);
    lblNoBefore->setText(QString::number(i - 1));
    lblNo->setText(QString::number(i));
    lblNoNext->setText(QString::number(i + 1));
    lblYousoBefore->setText(m_.EventTable[i - 1][0]);
    lblYouso->setText(m_.EventTable[i][0]);
    lblYousoNext->setText(m_.EventTable[i + 1][0]);
    ApplyPreview(i);
}

// The preview keeps what earlier rows put there: a picture stays until the
// next picture, a looping sound until a stop or another sound.
void frmPelumo3::ApplyPreview(int row)
{
    const QString& p = m_.EventTable[row][1];
    switch (EventRules::PreviewOf(m_, row)) {
    case PreviewAction::ShowText:
        lblTextKasou->setText(p);
        break;
    case PreviewAction::ShowPicture:
        ShowPicture(p);
        break;
    case PreviewAction::PlayOnce:
    case PreviewAction::PlayLoop: {
        const QString name = ProjectFiles::FindFileNoCase(m_.ProjectFolder, p);
        if (name.isEmpty()) {
            Notice(EventRules::MissingWavNotice());
        } else if (playing_ && !ShowCheck::IsPlayableWav(m_.ProjectPath(name))) {
            Notice(EventRules::MissingWavNotice());  // the player skips it: so does the play
        } else if (EventRules::PreviewOf(m_, row) == PreviewAction::PlayOnce) {
            PlayWavOnce(m_.ProjectPath(name));
        } else {
            PlayWavLoop(m_.ProjectPath(name));
        }
        break;
    }
    case PreviewAction::StopSound:
        StopSound();
        break;
    case PreviewAction::ClearText:
        lblTextKasou->setText(QStringLiteral(" "));
        break;
    case PreviewAction::None:
        break;
    }
}

void frmPelumo3::ShowPicture(const QString& name)
{
    const QString actual = ProjectFiles::FindFileNoCase(m_.ProjectFolder, name);
    if (actual.isEmpty()) {
        Notice(EventRules::MissingPictureNotice());
        return;
    }
    if (passing_) {
        // "次へ" replaces this picture before anything is painted: only the
        // last one it passes is decoded; the others are checked for a form.
        if (Picture::LooksDecodable(m_.ProjectPath(actual))) passedPicture_ = m_.ProjectPath(actual);
        else ShowError(EventRules::UndecodablePictureNotice());
        return;
    }
    passedPicture_.clear();
    if (!Picture::Show(imgA_kasou, m_.ProjectPath(actual))) Notice(EventRules::UndecodablePictureNotice());
}

// A missing or unreadable file of the current row: a message box, or while
// playing (a box would stop the clock) a row to list when the play stops.
void frmPelumo3::Notice(const QString& text)
{
    if (!playing_) return ShowError(text);
    const QString entry = QStringLiteral("%1（%2）").arg(m_.EventIndex).arg(m_.EventTable[m_.EventIndex][1]);
    if (!skipped_.contains(entry)) skipped_ << entry;
}

void frmPelumo3::PlayWavOnce(const QString& fullName)
{
    platform_.sndPlaySoundA(QString(), 0);
    platform_.sndPlaySoundA(fullName, Platform::kSndAsync);
    lblSound->setVisible(platform_.SoundDeviceMissing());
}

void frmPelumo3::PlayWavLoop(const QString& fullName)
{
    platform_.sndPlaySoundA(QString(), 0);
    platform_.sndPlaySoundA(fullName, Platform::kSndAsync | Platform::kSndLoop);
    lblSound->setVisible(platform_.SoundDeviceMissing());
}

void frmPelumo3::StopSound()
{
    platform_.sndPlaySoundA(QString(), 0);
}

// ---- navigation ----

void frmPelumo3::cmdBefore_Click()
{
    if (!EventRules::CanMoveUp(m_)) return;
    m_.EventIndex -= 1;
    RefreshEventView();
}

void frmPelumo3::cmd10Before_Click()
{
    if (!EventRules::CanMoveUp10(m_)) return;
    m_.EventIndex -= 10;
    RefreshEventView();
}

void frmPelumo3::cmdNext_Click()
{
    if (!EventRules::CanMoveDown(m_)) return;
    m_.EventIndex += 1;
    RefreshEventView();
}

void frmPelumo3::cmd10Next_Click()
{
    if (!EventRules::CanMoveDown10(m_)) return;
    m_.EventIndex += 10;
    RefreshEventView();
}

// ---- "次へ": play forward to the next text ----

void frmPelumo3::cmdNext_Kasou_Click()
{
    if (playing_) {
        // Playing: on from the text it waits on, or at once past a wait.
        paused_ = false;
        Timer1->stop();
        return PlayFrom(nextRow_);
    }
    const EventRules::Forward forward = EventRules::PlayForward(m_);
    if (!forward.moves) return;
    passedPicture_.clear();
    passing_ = true;
    for (int row = forward.from; row < forward.to; ++row) {
        m_.EventIndex = row;
        RefreshEventView();
    }
    passing_ = false;
    // The last picture passed on the way shows, unless the row where the
    // play stops shows its own.
    const QString passed = passedPicture_;
    m_.EventIndex = forward.to;
    RefreshEventView();
    if (!passed.isEmpty() && !passedPicture_.isNull() && !Picture::Show(imgA_kasou, passed))
        ShowError(EventRules::UndecodablePictureNotice());
    passedPicture_.clear();
}

void frmPelumo3::Timer1_Timer()
{
    Timer1->stop();
    if (playing_) {
        if (!paused_) PlayFrom(nextRow_);
        return;
    }
    if (m_.EventIndex >= EventRules::kLastCurrentRow) return;
    m_.EventIndex += 1;
    RefreshEventView();
}

// ---- event commands ----

// Edits the current row: its kind in form2, then the kind's own parameter
// step. The kind is stored first, so a changed kind's dialog opens with the
// old parameter.
void frmPelumo3::cmdHenshu_Click()
{
    {
        form2 kindPicker(m_, this);
        kindPicker.exec();
    }
    if (m_.DialogResult != 1) return;
    QString& kind = m_.EventTable[m_.EventIndex][0];
    QString& parameter = m_.EventTable[m_.EventIndex][1];
    if (kind == EventKinds::kText) {
        frmText2 text(m_, platform_, this);
        text.exec();
    } else if (kind == EventKinds::kClearText) {
        parameter.clear();
    } else if (kind == EventKinds::kEndless) {
        parameter = EventKinds::kBackToStart;
    } else if (kind == EventKinds::kWait) {
        frmWait wait(m_, this);
        wait.exec();
    } else if (kind == EventKinds::kWavStop) {
        StopSound();
        parameter.clear();
    } else if (kind == EventKinds::kPicture) {
        if (!EventEditing::FolderHoldsPicture(m_.ProjectFolder)) return EmptyRowWithMessage(EventEditing::kNoPictureMessage);
        ChooseFile();
    } else if (kind == EventKinds::kWavOnce || kind == EventKinds::kWavLoop) {
        if (!EventEditing::FolderHoldsWav(m_.ProjectFolder)) return EmptyRowWithMessage(EventEditing::kNoWavMessage);
        ChooseFile();
    }
    RefreshEventView();
}

// The file picker for a picture or wav row. Closed through its frame it
// stores nothing; a row left without a file is emptied, as for a folder
// without such files (without the message).
void frmPelumo3::ChooseFile()
{
    frmFilesentaku picker(m_, this);
    picker.exec();
    if (m_.EventTable[m_.EventIndex][1].isEmpty()) {
        m_.EventTable[m_.EventIndex][0].clear();
    }
}

void frmPelumo3::EmptyRowWithMessage(const QString& message)
{
    ShowError(message);
    m_.EventTable[m_.EventIndex][0].clear();
    m_.EventTable[m_.EventIndex][1].clear();
    RefreshEventView();
}

void frmPelumo3::cmdSounyuUe_Click()
{
    if (!EventEditing::CanInsertAt(m_, m_.EventIndex)) return ShowError(EventEditing::kListFullMessage);
    EventEditing::OpenRowAt(m_, m_.EventIndex);
    RefreshEventView();
    cmdHenshu_Click();
}

void frmPelumo3::cmdSounyuSita_Click()
{
    if (!EventEditing::CanInsertAt(m_, m_.EventIndex + 1)) return ShowError(EventEditing::kListFullMessage);
    EventEditing::OpenRowAt(m_, m_.EventIndex + 1);
    m_.EventIndex += 1;
    RefreshEventView();
    cmdHenshu_Click();
}

void frmPelumo3::cmdSakujoUe_Click()
{
    const int row = m_.EventIndex - 1;
    if (!EventEditing::HoldsEvent(m_, row)) return;
    if (!Messages::Ask(m_, platform_, this, EventEditing::DeleteQuestion(row))) return;
    EventEditing::RemoveRowAt(m_, row);
    m_.EventIndex = EventEditing::IndexAfterUpperDelete(m_);
    RefreshEventView();
}

void frmPelumo3::cmdSakujoSita_Click()
{
    const int row = m_.EventIndex + 1;
    if (!EventEditing::HoldsEvent(m_, row)) return;
    if (!Messages::Ask(m_, platform_, this, EventEditing::DeleteQuestion(row))) return;
    EventEditing::RemoveRowAt(m_, row);
    RefreshEventView();
}

// ---- save and return ----

void frmPelumo3::Command3_Click()
{
    StopSound();
    const FileResult saved = EventFile::Write(m_.ProjectFolder, EventFile::NameOf(m_), m_.EventTable);
    if (!saved.ok) {
        // The window stays with the events in memory; the old file is whole.
        ShowError(saved.message);
        return;
    }
    accept();
}

// ---- play from here, with the player's timing ----

void frmPelumo3::cmdPlay_Click()
{
    if (playing_) return StopPlay();
    if (EventRules::SpinsForever(m_)) return ShowError(EventRules::SpinsForeverMessage());
    playing_ = true;
    paused_ = false;
    skipped_.clear();
    cmdPlay->setText(QStringLiteral("■ 停止"));
    EnableCommands(false);
    PlayFrom(m_.EventIndex);
}

// Applies rows from `row` on, as the player runs them, until a wait (the
// clock goes on), a text (waits for "次へ") or the first empty row (the end).
void frmPelumo3::PlayFrom(int row)
{
    // Every round through "エンドレス" meets a wait or a text (an item that
    // would spin is refused before it starts), so this ends; the bound only
    // guards against a table changed under the play.
    for (int steps = 0; playing_ && steps < 2 * Module1::kRows; ++steps) {
        m_.EventIndex = std::min(row, EventRules::kLastCurrentRow);
        RefreshEventView();
        switch (EventRules::StepOf(m_, m_.EventIndex)) {
        case EventRules::PlayStep::Wait:
            nextRow_ = m_.EventIndex + 1;
            Timer1->start(EventRules::WaitMillisOf(m_, m_.EventIndex));
            return;
        case EventRules::PlayStep::Pause:
            nextRow_ = m_.EventIndex + 1;
            paused_ = true;
            return;
        case EventRules::PlayStep::BackToStart:
            row = 1;
            break;
        case EventRules::PlayStep::Next:
            if (m_.EventIndex >= EventRules::kLastCurrentRow) return StopPlay();
            row = m_.EventIndex + 1;
            break;
        case EventRules::PlayStep::End:
            return StopPlay();
        }
    }
    StopPlay();
}

// While a play runs only "■ 停止" and "次へ" can be used.
void frmPelumo3::EnableCommands(bool enabled)
{
    for (QPushButton* b : {Command3, cmdSakujoUe, cmdSounyuUe, cmdBefore, cmd10Before, cmdHenshu, cmdNext, cmd10Next,
                           cmdSounyuSita, cmdSakujoSita})
        b->setEnabled(enabled);
}

void frmPelumo3::StopPlay()
{
    if (!playing_) return;
    playing_ = false;
    paused_ = false;
    Timer1->stop();
    StopSound();
    cmdPlay->setText(QStringLiteral("▶ ここから再生"));
    EnableCommands(true);
    if (!skipped_.isEmpty()) ShowError(EventRules::SkippedRowsMessage(skipped_));
    skipped_.clear();
}

void frmPelumo3::reject()
{
    // Escape stops a play. Neither it nor the frame closes the event editor:
    // leaving saves.
    StopPlay();
}

void frmPelumo3::ShowError(const QString& text)
{
    Messages::ShowError(m_, platform_, this, text);
}
