#include "listedit/frmPelumo4.h"

#include "core/EventFile.h"
#include "core/EventRules.h"
#include "core/ListDataFile.h"
#include "core/ListRules.h"
#include "core/Module1.h"
#include "core/ProjectFiles.h"
#include "core/ShowCheck.h"
#include "core/ShowFiles.h"
#include "dialogs/Messages.h"
#include "dialogs/frmFilesentaku.h"
#include "dialogs/frmTenken.h"
#include "dialogs/frmText1.h"
#include "forms/ClickLabel.h"
#include "forms/FormLayout.h"
#include "forms/LongWork.h"
#include "forms/Picture.h"
#include "listedit/ZipSave.h"
#include "pack/ShowZip.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include <iterator>

using namespace FormLayout;

frmPelumo4::frmPelumo4(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void frmPelumo4::CreateControls()
{
    setObjectName(QStringLiteral("frmPelumo4"));
    setWindowTitle(QStringLiteral("ペルモ  リスト編集画面"));
    setModal(true);
    // No close box: OK is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetClientArea(this, 9450, 4995);

    const QString insertTip = QStringLiteral("項目を挿入");
    Command1 = AddButton(this, "Command1", QStringLiteral("スタートメッセージ編集"),
                         QRect(7320, 45, 2070, 450), Font(kGothic, 9, true),
                         QStringLiteral("ローダーにてイベントファイルのあるフォルダを読み込んだとき、最初に表示されるメッセージ"));
    cmdSakujo1 = AddButton(this, "cmdSakujo1", QStringLiteral("← 削除"),
                           QRect(7320, 600, 870, 375), Font(kGothic, 9.75, true),
                           QStringLiteral("一つ上の項目をデータごと削除"));
    cmdSounyu1 = AddButton(this, "cmdSounyu1", QStringLiteral("← 挿入"),
                           QRect(7320, 1040, 870, 375), Font(kGothic, 9.75, true),
                           insertTip);
    cmdBefor = AddButton(this, "cmdBefor", QStringLiteral("▲"),
                         QRect(7320, 1480, 870, 375), font(),
                         QStringLiteral("一つ上へ"));
    cmd10Before = AddButton(this, "cmd10Before", QStringLiteral("▲ 10"),
                            QRect(8280, 1470, 870, 375), Font(kGothic, 9, true),
                            QStringLiteral("10上へ"));
    cmdHenshu = AddButton(this, "cmdHenshu", QStringLiteral("← 編集"),
                          QRect(7320, 1920, 870, 375), Font(kGothic, 9.75, true),
                          QStringLiteral("項目名を編集"));
    cmdNext = AddButton(this, "cmdNext", QStringLiteral("▼"),
                        QRect(7320, 2360, 870, 375), font(),
                        QStringLiteral("一つ下へ"));
    cmd10Next = AddButton(this, "cmd10Next", QStringLiteral("▼ 10"),
                          QRect(8280, 2360, 870, 375), Font(kGothic, 9, true),
                          QStringLiteral("10下へ"));
    cmdSounyu2 = AddButton(this, "cmdSounyu2", QStringLiteral("← 挿入"),
                           QRect(7320, 2800, 870, 375), Font(kGothic, 9.75, true),
                           insertTip);
    cmdSakujo2 = AddButton(this, "cmdSakujo2", QStringLiteral("← 削除"),
                           QRect(7320, 3240, 870, 375), Font(kGothic, 9.75, true),
                           QStringLiteral("一つ下の項目をデータごと削除"));
    Command2 = AddButton(this, "Command2", QStringLiteral("ｽﾀｰﾄｸﾞﾗﾌｨｯｸ選択"),
                         QRect(7320, 3720, 2070, 450), Font(kGothic, 9.75, true),
                         QStringLiteral("ローダーにてイベントファイルのあるフォルダを読み込んだとき、最初に表示されるグラフィック"));
    cmdTenken = AddButton(this, "cmdTenken", QStringLiteral("ショーを点検"),
                          QRect(120, 4320, 2655, 615), Font(kGothic, 11.25, true),
                          QStringLiteral("フォルダ全体を調べ、再生で困る所を一覧にします"));
    cmdMatome = AddButton(this, "cmdMatome", QStringLiteral("Windows用にまとめる…"),
                          QRect(2955, 4320, 2655, 615), Font(kGothic, 11.25, true),
                          QStringLiteral("ショーで使うファイルだけを、Windows のパソコンで開ける zip ファイルにまとめます"));
    cmdOk = AddButton(this, "cmdOk", QStringLiteral("OK"),
                      QRect(8475, 4320, 855, 615), Font(kGothic, 12, true),
                      QString());
    cmdYouso = AddButton(this, "cmdYouso", QString(),
                         QRect(120, 1860, 1215, 525), Font(kGothic, 14.25, true),
                         QStringLiteral("この項目の配置を変更"));

    lblYousoUe = AddLabel(this, "lblYousoUe", QString(),
                          QRect(120, 720, 1215, 495), Font(kGothic, 14.25, true));
    lblYousoSita = AddLabel(this, "lblYousoSita", QString(),
                            QRect(120, 3000, 1215, 495), Font(kGothic, 14.25, true));
    lblListUe = AddLabel(this, "lblListUe", QString(),
                         QRect(1560, 720, 5415, 495), Font(kGothic, 14.25, false));
    lblList = Add<ClickLabel>(this, "lblList",
                              QRect(1560, 1860, 5415, 495), Font(kGothic, 14.25, false));
    PlainLabel(lblList);
    lblListSita = AddLabel(this, "lblListSita", QString(),
                           QRect(1560, 3000, 5415, 495), Font(kGothic, 14.25, false));

    QWidget* order[] = {Command1, cmdSakujo1, cmdSounyu1, cmdBefor, cmd10Before, cmdHenshu, cmdNext,
                        cmd10Next, cmdSounyu2, cmdSakujo2, Command2, cmdTenken, cmdMatome, cmdOk, cmdYouso};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Command1->setFocus();
}

void frmPelumo4::ConnectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &frmPelumo4::Command1_Click);
    connect(cmdSakujo1, &QPushButton::clicked, this, &frmPelumo4::cmdSakujo1_Click);
    connect(cmdSounyu1, &QPushButton::clicked, this, &frmPelumo4::cmdSounyu1_Click);
    connect(cmdBefor, &QPushButton::clicked, this, &frmPelumo4::cmdBefor_Click);
    connect(cmd10Before, &QPushButton::clicked, this, &frmPelumo4::cmd10Before_Click);
    connect(cmdHenshu, &QPushButton::clicked, this, &frmPelumo4::cmdHenshu_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmPelumo4::cmdNext_Click);
    connect(cmd10Next, &QPushButton::clicked, this, &frmPelumo4::cmd10Next_Click);
    connect(cmdSounyu2, &QPushButton::clicked, this, &frmPelumo4::cmdSounyu2_Click);
    connect(cmdSakujo2, &QPushButton::clicked, this, &frmPelumo4::cmdSakujo2_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPelumo4::Command2_Click);
    connect(cmdTenken, &QPushButton::clicked, this, &frmPelumo4::cmdTenken_Click);
    connect(cmdMatome, &QPushButton::clicked, this, &frmPelumo4::cmdMatome_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmPelumo4::cmdOk_Click);
    connect(lblList, &ClickLabel::clicked, this, &frmPelumo4::lblList_Click);
    new RowKeys(this, {lblYousoUe, lblListUe, cmdYouso, lblList, lblYousoSita, lblListSita},
                [this](RowCommand command) { RunRowCommand(command); });
}

void frmPelumo4::Form_Load()
{
    m_.ItemIndex = 1;
    RefreshListView();
}

void frmPelumo4::RefreshListView()
{
    const int row = m_.ItemIndex;
    lblListUe->setText(m_.ListTable[row - 1][1]);
    lblList->setText(m_.ListTable[row][1]);
    lblListSita->setText(m_.ListTable[row + 1][1]);
    lblYousoUe->setText(QString::number(row - 1));
    cmdYouso->setText(QString::number(row));
    lblYousoSita->setText(QString::number(row + 1));
}

// ---- navigation ----

void frmPelumo4::cmdBefor_Click()
{
    if (!ListRules::CanMoveUp(m_)) return;
    m_.ItemIndex -= 1;
    RefreshListView();
}

void frmPelumo4::cmdNext_Click()
{
    if (!ListRules::CanMoveDown(m_)) return;
    m_.ItemIndex += 1;
    RefreshListView();
}

void frmPelumo4::cmd10Before_Click()
{
    if (!ListRules::CanMoveUp10(m_)) return;
    m_.ItemIndex -= 10;
    RefreshListView();
}

void frmPelumo4::cmd10Next_Click()
{
    if (!ListRules::CanMoveDown10(m_)) return;
    m_.ItemIndex += 10;
    RefreshListView();
}

void frmPelumo4::lblList_Click()
{
    cmdHenshu_Click();
}

// ---- item commands ----

void frmPelumo4::cmdHenshu_Click()
{
    // An unnamed row is a new item: it gets its event file first.
    if (!ListRules::IsNamed(m_, m_.ItemIndex) && !CreateEventFile()) return;
    frmText1 text(m_, platform_, this);
    text.exec();
    lblList->setText(m_.ListTable[m_.ItemIndex][1]);
}

// Takes the next event file number for row ItemIndex and creates the file
// with its empty records. When that is impossible, the message is shown and
// column 2 and the counter are as they were.
bool frmPelumo4::CreateEventFile()
{
    const ListRules::NewEventFile next = ListRules::NextEventFile(m_);
    if (!next.ok) {
        ShowError(next.message);
        return false;
    }
    QString& fileCell = m_.ListTable[m_.ItemIndex][2];
    const QString previousFile = fileCell;
    const qint16 previousCounter = m_.LastEventFileNumber;
    m_.LastEventFileNumber = next.number;
    fileCell = next.fileName;
    const FileResult made = EventFile::Create(m_.ProjectFolder, fileCell);
    if (!made.ok) {
        fileCell = previousFile;
        m_.LastEventFileNumber = previousCounter;
        ShowError(made.message);
        return false;
    }
    return true;
}

void frmPelumo4::cmdSounyu1_Click()
{
    if (ListRules::IsListFull(m_)) {
        ShowError(ListRules::ListFullMessage());
        return;
    }
    if (const auto next = ListRules::NextEventFile(m_); !next.ok) {
        ShowError(next.message);
        return;
    }
    ListRules::OpenRowAt(m_, m_.ItemIndex);
    RefreshListView();
    cmdHenshu_Click();
    if (!ListRules::HoldsItem(m_, m_.ItemIndex)) {
        // Its event file could not be made: the new row goes again.
        ListRules::RemoveRowAt(m_, m_.ItemIndex);
        RefreshListView();
    }
}

void frmPelumo4::cmdSounyu2_Click()
{
    if (!ListRules::CanInsertBelow(m_)) {
        ShowError(ListRules::ListFullMessage());
        return;
    }
    if (const auto next = ListRules::NextEventFile(m_); !next.ok) {
        ShowError(next.message);
        return;
    }
    ListRules::OpenRowAt(m_, m_.ItemIndex + 1);
    m_.ItemIndex += 1;
    RefreshListView();
    cmdHenshu_Click();
    if (!ListRules::HoldsItem(m_, m_.ItemIndex)) {
        ListRules::RemoveRowAt(m_, m_.ItemIndex);
        m_.ItemIndex -= 1;
        RefreshListView();
    }
}

void frmPelumo4::cmdSakujo1_Click()
{
    const int row = m_.ItemIndex - 1;
    if (!ListRules::HoldsItem(m_, row)) return;
    if (!DeleteItem(row)) return;
    m_.ItemIndex -= 1;
    RefreshListView();
}

void frmPelumo4::cmdSakujo2_Click()
{
    const int row = m_.ItemIndex + 1;
    if (!ListRules::HoldsItem(m_, row)) return;
    if (!DeleteItem(row)) return;
    RefreshListView();
}

// Asks, then deletes the event file of `row` and the row itself. A file that
// is already gone, or a name that is not this item's own event file, does not
// keep the row (nothing is removed for it); a file that is there but cannot
// be removed does.
bool frmPelumo4::DeleteItem(int row)
{
    if (!Messages::Ask(m_, platform_, this, ListRules::DeleteQuestion(row))) return false;
    const FileResult removed = EventFile::Remove(m_.ProjectFolder, ListRules::EventFileToRemove(m_, row));
    if (!removed.ok) {
        ShowError(removed.message);
        return false;
    }
    ListRules::RemoveRowAt(m_, row);
    return true;
}

// ---- start message, start graphic, save ----

void frmPelumo4::Command1_Click()
{
    m_.ItemIndex = Module1::kStartMessageRow;
    frmText1 text(m_, platform_, this);
    text.exec();
    m_.ItemIndex = 1;
    RefreshListView();
}

void frmPelumo4::Command2_Click()
{
    const QString& folder = m_.ProjectFolder;
    if (!ProjectFiles::AnyFileMatches(folder, QStringLiteral("*.jpg"))
        && !ProjectFiles::AnyFileMatches(folder, QStringLiteral("*.bmp"))
        && !ProjectFiles::AnyFileMatches(folder, QStringLiteral("*.gif"))) {
        ShowError(EventRules::NoPictureMessage());
        m_.ListTable[Module1::kStartGraphicRow][2].clear();
        m_.ListTable[Module1::kStartGraphicRow][1].clear();
        RefreshListView();
        return;
    }
    frmFilesentaku picker(m_, platform_, this);
    picker.exec();
    // The top menu shows the chosen picture once the list editor closes; one
    // that will not decode is reported now, while it can still be changed.
    const QString name =
        ProjectFiles::FindFileNoCase(m_.ProjectFolder, m_.ListTable[Module1::kStartGraphicRow][1]);
    if (!name.isEmpty() && !Picture::CanDecode(m_.ProjectPath(name)))
        ShowError(Picture::UnreadableStartGraphicMessage());
}

// The list as it is in memory, with the files of the folder; nothing changes.
void frmPelumo4::cmdTenken_Click()
{
    CheckCache::Store cache(CheckCache::DefaultFile());
    QList<ShowCheck::Finding> findings;
    const bool finished = LongWork::Run(this, QStringLiteral("ショーを点検"), QStringLiteral("ショーを点検しています…"),
                                        [&](LongWork::Progress& progress) {
                                            findings = ShowCheck::Check(m_, Picture::CanDecode, &cache,
                                                                        [&](qint64 done, qint64 total) {
                                                                            return progress.Report(done, total);
                                                                        });
                                        });
    cache.Save();
    if (!finished) return;
    m_.CheckFindings = ShowCheck::Lines(findings);
    frmTenken result(m_, platform_, this);
    result.exec();
}

// The show as the list editor holds it, the list saved or not, with the
// files of the folder, in one zip for the player's PC. Nothing in the folder
// changes.
void frmPelumo4::cmdMatome_Click()
{
    const Records::Image list = ListDataFile::Serialize(m_, m_.LastEventFileNumber);
    if (!list.result.ok) {
        ShowError(list.result.message);
        return;
    }
    const ShowFiles::Plan plan = ShowFiles::Collect(m_, list.bytes);
    if (!plan.problems.isEmpty()) {
        ShowError(ShowZip::RefusalMessage(plan.problems));
        return;
    }
    const QString zipPath = ZipSave::AskPath(m_, platform_, this, plan.topFolder);
    if (zipPath.isEmpty()) return;
    const ShowZip::Result packed = ZipSave::Write(this, plan, zipPath);
    if (!packed.canceled) ShowError(packed.message);
}

void frmPelumo4::cmdOk_Click()
{
    const FileResult saved = ListDataFile::Write(m_);
    if (!saved.ok) {
        // The list stays open with everything in memory; the old file is whole.
        ShowError(saved.message);
        return;
    }
    accept();
}

void frmPelumo4::reject()
{
    // The frame and Escape do not close the list editor: OK records the list.
}

// ---- keys and the wheel ----

// Each key and notch of the wheel runs its button's handler, under the
// button's own condition. There is no undo: inserts and deletes create and
// trash event files at once.
void frmPelumo4::RunRowCommand(RowCommand command)
{
    switch (command) {
    case RowCommand::Up: return cmdBefor_Click();
    case RowCommand::Down: return cmdNext_Click();
    case RowCommand::Up10: return cmd10Before_Click();
    case RowCommand::Down10: return cmd10Next_Click();
    case RowCommand::First: return GoToRow(ListRules::kFirstItemRow);
    case RowCommand::Last: return GoToRow(ListRules::LastNamedRow(m_));
    case RowCommand::Edit: return cmdHenshu_Click();
    case RowCommand::Undo:
    case RowCommand::Redo: return;
    }
}

void frmPelumo4::GoToRow(int row)
{
    if (row == m_.ItemIndex) return;
    m_.ItemIndex = qint16(row);
    RefreshListView();
}

void frmPelumo4::ShowError(const QString& text)
{
    Messages::ShowError(m_, platform_, this, text);
}
