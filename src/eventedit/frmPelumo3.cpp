#include "eventedit/frmPelumo3.h"

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/EventRules.h"
#include "core/Module1.h"
#include "core/ProjectFiles.h"
#include "core/ShowCheck.h"
#include "core/TableRows.h"
#include "dialogs/ImportFiles.h"
#include "dialogs/Messages.h"
#include "dialogs/form2.h"
#include "dialogs/frmFilesentaku.h"
#include "dialogs/frmText2.h"
#include "dialogs/frmWait.h"
#include "forms/FormLayout.h"
#include "forms/Picture.h"
#include "forms/RowKeys.h"
#include "media/Importer.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

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
    : QDialog(parent),
      m_(m),
      platform_(platform),
      clock_(this, QStringLiteral("Timer1"), [this] { play_.Tick(); }),
      play_(m.EventTable, clock_, *this)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void frmPelumo3::CreateControls()
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
    lblSound = AddLabel(this, "lblSound", QString(), QRect(7920, 5220, 3855, 450), Font(kGothic, 9, true));
    lblSound->setWordWrap(true);
    SetWrappedText(lblSound, Platform::NoSoundDeviceNotice());
    lblSound->setVisible(platform_.SoundDeviceMissing());

    QWidget* order[] = {Command3, cmdPlay, cmdSakujoUe, cmdSounyuUe, cmdBefore, cmd10Before, cmdHenshu,
                        cmdNext, cmd10Next, cmdSounyuSita, cmdSakujoSita, cmdNext_Kasou};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Command3->setFocus();
    // Pictures and sounds dropped anywhere on the window come in as events.
    setAcceptDrops(true);
}

void frmPelumo3::ConnectHandlers()
{
    connect(Command3, &QPushButton::clicked, this, &frmPelumo3::Command3_Click);
    connect(cmdSakujoUe, &QPushButton::clicked, this, [this] { Undoable(&frmPelumo3::cmdSakujoUe_Click); });
    connect(cmdSounyuUe, &QPushButton::clicked, this, [this] { Undoable(&frmPelumo3::cmdSounyuUe_Click); });
    connect(cmdBefore, &QPushButton::clicked, this, &frmPelumo3::cmdBefore_Click);
    connect(cmd10Before, &QPushButton::clicked, this, &frmPelumo3::cmd10Before_Click);
    connect(cmdHenshu, &QPushButton::clicked, this, [this] { Undoable(&frmPelumo3::cmdHenshu_Click); });
    connect(cmdNext, &QPushButton::clicked, this, &frmPelumo3::cmdNext_Click);
    connect(cmd10Next, &QPushButton::clicked, this, &frmPelumo3::cmd10Next_Click);
    connect(cmdSounyuSita, &QPushButton::clicked, this, [this] { Undoable(&frmPelumo3::cmdSounyuSita_Click); });
    connect(cmdSakujoSita, &QPushButton::clicked, this, [this] { Undoable(&frmPelumo3::cmdSakujoSita_Click); });
    connect(cmdNext_Kasou, &QPushButton::clicked, this, &frmPelumo3::cmdNext_Kasou_Click);
    connect(cmdPlay, &QPushButton::clicked, this, &frmPelumo3::cmdPlay_Click);
    new RowKeys(this, {lblNoBefore, lblYousoBefore, lblTextUe, lblNo, lblYouso, lblText, lblNoNext, lblYousoNext, lblTextSita},
                [this](RowCommand command) { RunRowCommand(command); });
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
    ShowRows();
    ApplyPreview(m_.EventIndex, Reach::Shown);
}

void frmPelumo3::ShowRows()
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
}

// The preview keeps what earlier rows put there: a picture stays until the
// next picture, a looping sound until a stop or another sound. False when the
// row's file is missing or cannot be read.
bool frmPelumo3::ApplyPreview(int row, Reach how)
{
    QString notice;
    switch (EventRules::PreviewOf(m_.EventTable, row)) {
    case PreviewAction::ShowText:
        lblTextKasou->setText(m_.EventTable[row][1]);
        break;
    case PreviewAction::ShowPicture:
        notice = ShowPicture(row, how);
        break;
    case PreviewAction::PlayOnce:
    case PreviewAction::PlayLoop:
        notice = PlaySound(row, how);
        break;
    case PreviewAction::StopSound:
        StopSound();
        break;
    case PreviewAction::ClearText:
        lblTextKasou->setText(QStringLiteral(" "));
        break;
    case PreviewAction::None:
        break;
    }
    if (notice.isEmpty()) return true;
    if (how != Reach::Played) ShowError(notice);
    return false;
}

// The notice when the row's picture cannot be shown; empty when it shows.
QString frmPelumo3::ShowPicture(int row, Reach how)
{
    const QString actual = ProjectFiles::FindFileNoCase(m_.ProjectFolder, m_.EventTable[row][1]);
    if (actual.isEmpty()) return EventRules::MissingPictureNotice();
    const QString path = m_.ProjectPath(actual);
    // "次へ" replaces a picture it passes before anything is painted: the
    // picture is only checked for a form, and decoded if it is the last.
    const bool shows = how == Reach::Passed ? Picture::LooksDecodable(path) : Picture::Show(imgA_kasou, path);
    return shows ? QString() : EventRules::UndecodablePictureNotice();
}

// The notice when the row's sound cannot be played; empty when it plays.
QString frmPelumo3::PlaySound(int row, Reach how)
{
    const QString name = ProjectFiles::FindFileNoCase(m_.ProjectFolder, m_.EventTable[row][1]);
    if (name.isEmpty()) return EventRules::MissingWavNotice();
    const QString path = m_.ProjectPath(name);
    // The player skips a wav it cannot play: so does the play.
    if (how == Reach::Played && !ShowCheck::IsPlayableWav(path)) return EventRules::MissingWavNotice();
    const bool loop = EventRules::PreviewOf(m_.EventTable, row) == PreviewAction::PlayLoop;
    platform_.sndPlaySoundA(QString(), 0);
    platform_.sndPlaySoundA(path, loop ? Platform::kSndAsync | Platform::kSndLoop : Platform::kSndAsync);
    lblSound->setVisible(platform_.SoundDeviceMissing());
    return {};
}

void frmPelumo3::StopSound()
{
    platform_.sndPlaySoundA(QString(), 0);
}

// ---- navigation ----

void frmPelumo3::cmdBefore_Click()
{
    if (!EventRules::CanMoveUp(m_.EventIndex)) return;
    m_.EventIndex -= 1;
    RefreshEventView();
}

void frmPelumo3::cmd10Before_Click()
{
    if (!EventRules::CanMoveUp10(m_.EventIndex)) return;
    m_.EventIndex -= 10;
    RefreshEventView();
}

void frmPelumo3::cmdNext_Click()
{
    if (!EventRules::CanMoveDown(m_.EventTable, m_.EventIndex)) return;
    m_.EventIndex += 1;
    RefreshEventView();
}

void frmPelumo3::cmd10Next_Click()
{
    if (!EventRules::CanMoveDown10(m_.EventTable, m_.EventIndex)) return;
    m_.EventIndex += 10;
    RefreshEventView();
}

// ---- "次へ": play forward to the next text ----

// While a play runs, the play goes on. Otherwise the rows up to the next text
// are applied as the player passes them; of the pictures on the way only the
// last one that can be shown is decoded, before the row where it stops.
void frmPelumo3::cmdNext_Kasou_Click()
{
    if (play_.Playing()) return play_.Next();
    const EventRules::Forward forward = EventRules::PlayForward(m_.EventTable, m_.EventIndex);
    if (!forward.moves) return;
    int lastPicture = 0;  // the last picture passed on the way that can be shown
    for (int row = forward.from; row < forward.to; ++row) {
        m_.EventIndex = row;
        ShowRows();
        const bool applied = ApplyPreview(row, Reach::Passed);
        if (applied && EventRules::PreviewOf(m_.EventTable, row) == PreviewAction::ShowPicture) lastPicture = row;
    }
    if (lastPicture) ApplyPreview(lastPicture, Reach::Shown);
    m_.EventIndex = forward.to;
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
        if (!EventRules::FolderHoldsPicture(m_.ProjectFolder)) return EmptyRowWithMessage(EventRules::NoPictureMessage());
        ChooseFile();
    } else if (kind == EventKinds::kWavOnce || kind == EventKinds::kWavLoop) {
        if (!EventRules::FolderHoldsWav(m_.ProjectFolder)) return EmptyRowWithMessage(EventRules::NoWavMessage());
        ChooseFile();
    }
    RefreshEventView();
}

// The file picker for a picture or wav row. Closed through its frame it
// stores nothing; a row left without a file is emptied, as for a folder
// without such files (without the message).
void frmPelumo3::ChooseFile()
{
    frmFilesentaku picker(m_, platform_, this);
    picker.exec();
    if (m_.EventTable[m_.EventIndex][1].isEmpty()) {
        m_.EventTable[m_.EventIndex][0].clear();
    }
}

void frmPelumo3::EmptyRowWithMessage(const QString& message)
{
    ShowError(message);
    TableRows::EmptyRow(m_.EventTable, m_.EventIndex);
    RefreshEventView();
}

void frmPelumo3::cmdSounyuUe_Click()
{
    if (!EventRules::CanInsertAt(m_.EventTable, m_.EventIndex)) return ShowError(EventRules::ListFullMessage());
    EventRules::OpenRowAt(m_.EventTable, m_.EventIndex);
    RefreshEventView();
    cmdHenshu_Click();
}

void frmPelumo3::cmdSounyuSita_Click()
{
    if (!EventRules::CanInsertAt(m_.EventTable, m_.EventIndex + 1)) return ShowError(EventRules::ListFullMessage());
    EventRules::OpenRowAt(m_.EventTable, m_.EventIndex + 1);
    m_.EventIndex += 1;
    RefreshEventView();
    cmdHenshu_Click();
}

void frmPelumo3::cmdSakujoUe_Click()
{
    const int row = m_.EventIndex - 1;
    if (!EventRules::HoldsEvent(m_.EventTable, row)) return;
    if (!Messages::Ask(m_, platform_, this, EventRules::DeleteQuestion(row))) return;
    EventRules::RemoveRowAt(m_.EventTable, row);
    m_.EventIndex = EventRules::IndexAfterUpperDelete(m_.EventTable, m_.EventIndex);
    RefreshEventView();
}

void frmPelumo3::cmdSakujoSita_Click()
{
    const int row = m_.EventIndex + 1;
    if (!EventRules::HoldsEvent(m_.EventTable, row)) return;
    if (!Messages::Ask(m_, platform_, this, EventRules::DeleteQuestion(row))) return;
    EventRules::RemoveRowAt(m_.EventTable, row);
    RefreshEventView();
}

// ---- files dropped on the window ----

void frmPelumo3::dragEnterEvent(QDragEnterEvent* event)
{
    if (!play_.Playing() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void frmPelumo3::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (play_.Playing() || paths.isEmpty()) return;
    event->acceptProposedAction();
    // The file manager waits for the drop to end: the import runs after it.
    QMetaObject::invokeMethod(
        this, [this, paths] { ImportDropped(paths); }, Qt::QueuedConnection);
}

// The files come in, then an event for each below the current row, as the
// lower insert adds one; the last of them becomes the current row. Only as
// many as the list has room for are brought in.
void frmPelumo3::ImportDropped(const QStringList& paths)
{
    const int row = EventRules::DropRow(m_.EventTable, m_.EventIndex);
    const QStringList sources = Importer::Sources(paths);
    if (sources.isEmpty()) return;
    const int room = EventRules::RoomForInserts(m_.EventTable, row);
    if (room == 0) return ShowError(EventRules::ListFullMessage());
    const QList<Importer::Result> results = ImportFiles::Import(m_, this, sources.mid(0, room));
    // Ctrl+Z takes the events back; the files stay in the folder.
    history_.Begin(m_.EventTable, m_.EventIndex);
    const int inserted = EventRules::InsertFileEvents(m_.EventTable, row, Importer::NewNames(results));
    if (inserted > 0) m_.EventIndex = row + inserted - 1;
    history_.End(m_.EventTable, m_.EventIndex);
    RefreshEventView();
    ImportFiles::Tell(m_, platform_, this, results);
    if (sources.size() > room) ShowError(EventRules::ListFullMessage());
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
    if (play_.Playing()) return play_.Stop();
    play_.Start(m_.EventIndex);
}

void frmPelumo3::Started()
{
    cmdPlay->setText(QStringLiteral("■ 停止"));
    EnableCommands(false);
}

bool frmPelumo3::Apply(int row)
{
    m_.EventIndex = row;
    ShowRows();
    return ApplyPreview(row, Reach::Played);
}

void frmPelumo3::Ended(const QStringList& skippedRows)
{
    StopSound();
    cmdPlay->setText(QStringLiteral("▶ ここから再生"));
    EnableCommands(true);
    if (!skippedRows.isEmpty()) ShowError(EventRules::SkippedRowsMessage(skippedRows));
}

void frmPelumo3::Refused(const QString& message)
{
    ShowError(message);
}

// While a play runs only "■ 停止" and "次へ" can be used.
void frmPelumo3::EnableCommands(bool enabled)
{
    for (QPushButton* b : {Command3, cmdSakujoUe, cmdSounyuUe, cmdBefore, cmd10Before, cmdHenshu, cmdNext, cmd10Next,
                           cmdSounyuSita, cmdSakujoSita})
        b->setEnabled(enabled);
}

void frmPelumo3::reject()
{
    // Escape stops a play. Neither it nor the frame closes the event editor:
    // leaving saves.
    play_.Stop();
}

// ---- keys, the wheel and undo ----

// Each key and notch of the wheel runs its button's handler, under the
// button's own condition. While a play runs they do nothing: Escape, which
// stops it, is not among them.
void frmPelumo3::RunRowCommand(RowCommand command)
{
    if (play_.Playing()) return;
    switch (command) {
    case RowCommand::Up: return cmdBefore_Click();
    case RowCommand::Down: return cmdNext_Click();
    case RowCommand::Up10: return cmd10Before_Click();
    case RowCommand::Down10: return cmd10Next_Click();
    case RowCommand::First: return GoToRow(EventRules::kFirstEventRow);
    case RowCommand::Last: return GoToRow(EventRules::LastEventRow(m_.EventTable));
    case RowCommand::Edit: return Undoable(&frmPelumo3::cmdHenshu_Click);
    case RowCommand::Undo: return TakeBack(&EventHistory::Undo);
    case RowCommand::Redo: return TakeBack(&EventHistory::Redo);
    }
}

// Runs an action that may change the rows so that Ctrl+Z can take it back.
// An insert and the edit it opens are one step, as they are one click.
void frmPelumo3::Undoable(void (frmPelumo3::*action)())
{
    history_.Begin(m_.EventTable, m_.EventIndex);
    (this->*action)();
    history_.End(m_.EventTable, m_.EventIndex);
}

void frmPelumo3::TakeBack(bool (EventHistory::*step)(EventRows&, int&))
{
    if ((history_.*step)(m_.EventTable, m_.EventIndex)) RefreshEventView();
}

void frmPelumo3::GoToRow(int row)
{
    if (row == m_.EventIndex) return;
    m_.EventIndex = row;
    RefreshEventView();
}

void frmPelumo3::ShowError(const QString& text)
{
    Messages::ShowError(m_, platform_, this, text);
}
