#include "app/frmPelumo1.h"

#include "app/frmPelumo5.h"
#include "app/frmRehearsal.h"
#include "core/ForeignNames.h"
#include "core/ListDataFile.h"
#include "core/Module1.h"
#include "core/ProjectFiles.h"
#include "core/TopMenu.h"
#include "dialogs/Messages.h"
#include "dialogs/frmList.h"
#include "eventedit/frmPelumo3.h"
#include "forms/FormLayout.h"
#include "forms/Picture.h"
#include "listedit/frmPelumo4.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

using namespace FormLayout;

frmPelumo1::frmPelumo1(Module1& m, Platform& platform, QWidget* parent)
    : QWidget(parent), m_(m), platform_(platform)
{
    CreateControls();
    ConnectHandlers();
}

void frmPelumo1::CreateControls()
{
    setObjectName(QStringLiteral("frmPelumo1"));
    setWindowTitle(QStringLiteral("ペルモトップメニュー   (Ver1.3)"));
    SetClientArea(this, 9600, 7185);

    // The bordered frame of the picture area, behind the picture.
    Label1 = AddLabel(this, "Label1", QString(),
                      QRect(480, 240, 5760, 4320), Font(kGothic, 12, true));
    Framed(Label1);

    Image1 = Add<QLabel>(this, "Image1", QRect(480, 240, 5760, 4320), font());
    Image1->setToolTip(QStringLiteral("スタートグラフィック"));
    Image1->setScaledContents(true);

    cmdSinki = AddButton(this, "cmdSinki", QStringLiteral("新規作成 （ﾌｫﾙﾀﾞ指定）"),
                         QRect(6720, 240, 2655, 615), Font(kGothic, 11.25, true),
                         QStringLiteral("新規データを保存するフォルダを指定"));

    cmdLoad = AddButton(this, "cmdLoad", QStringLiteral("リスト項目ロード"),
                        QRect(6720, 1080, 2655, 615), Font(kGothic, 11.25, true),
                        QStringLiteral("リストデータのロード"));

    cmdlistSakusei = AddButton(this, "cmdlistSakusei", QStringLiteral("リスト項目作成、編集"),
                               QRect(6720, 2040, 2655, 615), Font(kGothic, 11.25, true),
                               QStringLiteral("リストに表示される項目名の作成・削除・並び替え"));
    cmdlistSakusei->setVisible(false);

    cmdSakusei = AddButton(this, "cmdSakusei", QStringLiteral("イベント作成、編集"),
                           QRect(6720, 2940, 2655, 615), Font(kGothic, 11.25, true),
                           QStringLiteral("イベント項目の詳細設定"));
    cmdSakusei->setVisible(false);

    Command1 = AddButton(this, "Command1", QStringLiteral("終了"),
                         QRect(7200, 3930, 1635, 615), Font(kGothic, 12, true),
                         QStringLiteral("「ペルモ」を終了"));

    // Shown with cmdSakusei, in the free space below Command1.
    cmdRehearsal = AddButton(this, "cmdRehearsal", QStringLiteral("ショーのリハーサル"),
                             QRect(6720, 4620, 2655, 435), Font(kGothic, 11.25, true),
                             QStringLiteral("ショー全体を、見る人と同じ全画面で通して見ます"));
    cmdRehearsal->setVisible(false);

    Label2 = AddLabel(this, "Label2", QStringLiteral("編集中のフォルダ："),
                      QRect(360, 5160, 2100, 375), Font(kGothic, 12, true));

    lblPath = AddLabel(this, "lblPath", QString(),
                       QRect(2520, 5130, 6495, 375), Font(kGothic, 12, true));
    Framed(lblPath);

    lblTopText = AddLabel(this, "lblTopText", TopMenu::IdleText(), QRect(360, 5760, 8775, 1215),
                          Font(kGothic, 14.25, true));
    Framed(lblTopText);
    lblTopText->setWordWrap(true);

    setTabOrder(cmdSinki, cmdLoad);
    setTabOrder(cmdLoad, cmdlistSakusei);
    setTabOrder(cmdlistSakusei, cmdSakusei);
    setTabOrder(cmdSakusei, Command1);
    setTabOrder(Command1, cmdRehearsal);
    cmdSinki->setFocus();
}

void frmPelumo1::ConnectHandlers()
{
    connect(cmdSinki, &QPushButton::clicked, this, &frmPelumo1::cmdSinki_Click);
    connect(cmdLoad, &QPushButton::clicked, this, &frmPelumo1::cmdLoad_Click);
    connect(cmdlistSakusei, &QPushButton::clicked, this, &frmPelumo1::cmdListSakusei_Click);
    connect(cmdSakusei, &QPushButton::clicked, this, &frmPelumo1::cmdSakusei_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPelumo1::Command1_Click);
    connect(cmdRehearsal, &QPushButton::clicked, this, &frmPelumo1::cmdRehearsal_Click);
}

// New project: a folder without list data, an empty list, the list editor.
void frmPelumo1::cmdSinki_Click()
{
    m_.CallerMode = Module1::kModeNewProject;
    m_.LastEventFileNumber = 0;
    lblTopText->setText(TopMenu::NewFolderPrompt());
    {
        frmPelumo5 chooser(m_, platform_, this);
        chooser.exec();
    }

    if (m_.ProjectFolder.isEmpty()) {
        lblPath->setText(m_.ProjectFolder);
        lblTopText->setText(TopMenu::IdleText());
        return;
    }
    if (FolderHasListData()) {
        platform_.Beep();
        m_.ProjectFolder.clear();
        lblPath->setText(m_.ProjectFolder);
        lblTopText->setText(TopMenu::ListDataThereMessage());
        return;
    }

    m_.PrepareNewList();
    lblPath->setText(m_.ProjectFolder);
    m_.ItemIndex = 1;
    lblTopText->setText(TopMenu::ListEditingText());

    m_.CallerMode = Module1::kModeListEditor;
    {
        frmPelumo4 listEditor(m_, platform_, this);
        listEditor.exec();
    }
    ShowStartGraphic(false);
    cmdlistSakusei->setVisible(true);
    ShowEventCommands();
}

// Load: a folder with list data; its list, start graphic and counter.
void frmPelumo1::cmdLoad_Click()
{
    m_.CallerMode = Module1::kModeLoad;
    lblTopText->setText(TopMenu::LoadFolderPrompt());
    m_.PreviousFolder = lblPath->text();
    {
        frmPelumo5 chooser(m_, platform_, this);
        chooser.exec();
    }
    LoadChosenFolder();
}

// A folder named when the program was started, loaded as if it had been chosen.
void frmPelumo1::LoadFolder(const QString& folder)
{
    m_.CallerMode = Module1::kModeLoad;
    m_.ProjectFolder = folder;
    LoadChosenFolder();
}

void frmPelumo1::LoadChosenFolder()
{
    lblPath->setText(m_.ProjectFolder);

    if (!m_.ProjectFolder.isEmpty()) {
        FixWindowsNames();
        const ListDataFile::Loaded loaded = ListDataFile::LoadProject(m_, m_.ProjectFolder, ListDataFile::LoadFor::Editing);
        lblPath->setText(m_.ProjectFolder);
        if (loaded.missing) {
            platform_.Beep();
            lblTopText->setText(TopMenu::NoListDataMessage());
            return;
        }
        if (!loaded.result.ok) {
            // The file is there but could not be read: nothing of it was taken.
            lblTopText->setText(TopMenu::IdleText());
            ShowError(loaded.result.message);
            return;
        }
        // Damaged parts were left out: the user hears it before anything else.
        if (!loaded.result.notice.isEmpty()) ShowError(loaded.result.notice);
        ShowStartGraphic(true);
        cmdlistSakusei->setVisible(true);
        if (!m_.ListTable[1][1].isEmpty()) ShowEventCommands();
    }
    lblTopText->setText(TopMenu::IdleText());
}

void frmPelumo1::cmdListSakusei_Click()
{
    m_.CallerMode = Module1::kModeListEditor;
    if (lblPath->text().isEmpty()) {
        platform_.Beep();
        lblTopText->setText(TopMenu::NoFolderMessage());
        return;
    }
    {
        frmPelumo4 listEditor(m_, platform_, this);
        listEditor.exec();
    }
    ShowStartGraphic(false);
    if (!m_.ListTable[1][1].isEmpty()) ShowEventCommands();
}

void frmPelumo1::cmdSakusei_Click()
{
    if (lblPath->text().isEmpty()) {
        platform_.Beep();
        lblTopText->setText(TopMenu::NoFolderMessage());
        return;
    }
    if (m_.ListTable[1][1].isEmpty()) {
        platform_.Beep();
        lblTopText->setText(TopMenu::NoItemsMessage());
        return;
    }
    m_.CallerMode = Module1::kModeEventEditor;
    {
        frmList picker(m_, platform_, this);
        picker.exec();
    }
    if (m_.DialogResult != 1) return;
    frmPelumo3 eventEditor(m_, platform_, this);
    if (eventEditor.Opened()) eventEditor.exec();
}

// The whole show full screen, as the audience will see it.
void frmPelumo1::cmdRehearsal_Click()
{
    frmRehearsal::Rehearse(m_, platform_, this, false);
}

void frmPelumo1::Command1_Click()
{
    if (AskQuit()) platform_.EndProgram();
}

void frmPelumo1::closeEvent(QCloseEvent* event)
{
    if (AskQuit()) {
        platform_.EndProgram();
        event->accept();
    } else {
        event->ignore();
    }
}

// The event editor's command, and the rehearsal with it.
void frmPelumo1::ShowEventCommands()
{
    cmdSakusei->setVisible(true);
    cmdRehearsal->setVisible(true);
}

bool frmPelumo1::FolderHasListData() const
{
    // Any entry of that name holds the place of the data, a folder or a
    // dangling link too: a new project there could never be saved.
    return ListDataFile::Exists(m_.ProjectFolder);
}

// Files unpacked here from a zip made on Windows keep their names as CP932
// bytes, and the show cannot find them: one question for all of them, and on
// yes each gets the name the show uses. No changes nothing.
void frmPelumo1::FixWindowsNames()
{
    const QList<ForeignNames::Misnamed> found = ForeignNames::Find(m_.ProjectFolder);
    if (found.isEmpty()) return;
    if (!Messages::Ask(m_, platform_, this, ForeignNames::RenameQuestion(found))) return;
    const QStringList failed = ForeignNames::Rename(m_.ProjectFolder, found);
    if (!failed.isEmpty()) ShowError(failed.join(QLatin1Char('\n')));
}

// The start graphic named in row 1002, shown stretched in Image1. After a
// load (`report`) a missing or undecodable file is reported; after the list
// editor, which has reported them already, the area just shows what it can.
void frmPelumo1::ShowStartGraphic(bool report)
{
    const QString name = m_.ListTable[Module1::kStartGraphicRow][1];
    if (name.isEmpty()) {
        Picture::Clear(Image1);
        Image1->setVisible(false);
        return;
    }
    // Only a plain name inside the project folder is looked up.
    const QString actual = ProjectFiles::FindFileNoCase(m_.ProjectFolder, name);
    if (actual.isEmpty()) {
        Picture::Clear(Image1);
        if (report)
            ShowError(Picture::MissingStartGraphicMessage());
        return;
    }
    Image1->setVisible(true);
    if (!Picture::Show(Image1, m_.ProjectPath(actual))) {
        Picture::Clear(Image1);
        if (report) ShowError(Picture::UnreadableStartGraphicMessage());
    }
}

bool frmPelumo1::AskQuit()
{
    platform_.Beep();
    return Messages::Ask(m_, platform_, this, TopMenu::QuitQuestion());
}

void frmPelumo1::ShowError(const QString& text)
{
    Messages::ShowError(m_, platform_, this, text);
}
