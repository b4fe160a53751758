#include "dialogs/frmFilesentaku.h"

#include "core/EventKinds.h"
#include "core/Module1.h"
#include "core/PictureHeaders.h"
#include "core/ProjectFiles.h"
#include "dialogs/ImportFiles.h"
#include "dialogs/Messages.h"
#include "forms/FormLayout.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace FormLayout;

const QString frmFilesentaku::kPicturePattern = QStringLiteral("*.gif;*.jpg;*.bmp");
const QString frmFilesentaku::kSoundPattern = QStringLiteral("*.wav");

frmFilesentaku::frmFilesentaku(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void frmFilesentaku::CreateControls()
{
    setObjectName(QStringLiteral("frmFilesentaku"));
    setWindowTitle(QStringLiteral("ファイル選択"));
    setModal(true);
    SetClientArea(this, 6720, 3855);

    Label1 = AddLabel(this, "Label1", QString(),
                      QRect(480, 720, 4695, 375), Font(kMincho, 9.75, true));

    File1 = Add<QListWidget>(this, "File1",
                             QRect(480, 1320, 4815, 2235), Font(kGothic, 9.75, false));
    File1->setSelectionMode(QAbstractItemView::SingleSelection);

    Command1 = AddButton(this, "Command1", QStringLiteral("OK"),
                         QRect(5520, 2880, 975, 615), Font(kGothic, 12, true));

    cmdTorikomi = AddButton(this, "cmdTorikomi", QStringLiteral("ほかの場所から取り込む…"),
                            QRect(480, 150, 3120, 435), Font(kGothic, 9.75, true),
                            QStringLiteral("写真や音楽をペルモローダーで使える形にして、このフォルダに入れます"));

    setTabOrder(File1, Command1);
    setTabOrder(Command1, cmdTorikomi);
    File1->setFocus();
}

void frmFilesentaku::ConnectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &frmFilesentaku::Command1_Click);
    connect(cmdTorikomi, &QPushButton::clicked, this, &frmFilesentaku::cmdTorikomi_Click);
}

// Why a copy of the show on Windows could not open `name`: a name Windows
// cannot hold, or another file of the folder that Windows takes for the same.
QString frmFilesentaku::WindowsProblem(const QString& name) const
{
    const QString why = ProjectFiles::WindowsNameProblem(name);
    if (!why.isEmpty()) return ProjectFiles::PickedNameMessage(name, why);
    for (int i = 0; i < File1->count(); ++i) {
        const QString other = File1->item(i)->text();
        if (other != name && other.compare(name, Qt::CaseInsensitive) == 0)
            return ProjectFiles::PickedCaseTwinMessage(name, other);
    }
    return {};
}

bool frmFilesentaku::StartGraphicMode() const
{
    return m_.CallerMode == Module1::kModeListEditor;
}

void frmFilesentaku::Form_Load()
{
    Label1->setText(m_.ProjectFolder);

    QString patterns;
    if (StartGraphicMode()) {
        patterns = kPicturePattern;
    } else if (m_.EventIndex >= 0 && m_.EventIndex < Module1::kRows) {
        const QString& kind = m_.EventTable[m_.EventIndex][0];
        if (kind == EventKinds::kPicture)
            patterns = kPicturePattern;
        else if (kind == EventKinds::kWavOnce || kind == EventKinds::kWavLoop)
            patterns = kSoundPattern;
    }

    patterns_ = patterns;
    cmdTorikomi->setVisible(!patterns.isEmpty());
    ListFiles();
}

void frmFilesentaku::ListFiles()
{
    File1->clear();
    if (patterns_.isEmpty()) return;
    for (const QString& name : ProjectFiles::ListFiles(m_.ProjectFolder, patterns_)) {
        // A name that a project file cannot hold, or that would come back as
        // another name after a save and a load, is not offered.
        if (ProjectFiles::IsStorableName(name)) File1->addItem(name);
    }
}

void frmFilesentaku::cmdTorikomi_Click()
{
    const auto material = patterns_ == kSoundPattern ? ImportFiles::Material::Sounds : ImportFiles::Material::Pictures;
    const QStringList sources = ImportFiles::Choose(platform_, this, material);
    if (sources.isEmpty()) return;
    const QList<Importer::Result> results = ImportFiles::Import(m_, this, sources);
    ListFiles();
    // The first that came in of the kind listed: a sound chosen for a
    // picture came in too, but is not offered here.
    for (const QString& name : Importer::NewNames(results)) {
        const QList<QListWidgetItem*> found = File1->findItems(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (found.isEmpty()) continue;
        File1->setCurrentItem(found.first());
        File1->scrollToItem(found.first());
        break;
    }
    ImportFiles::Tell(m_, platform_, this, results);
}

void frmFilesentaku::Command1_Click()
{
    m_.DialogResult = 1;
    const QListWidgetItem* item = File1->currentItem();
    const QString name = (item && item->isSelected()) ? item->text() : QString();
    if (name.isEmpty()) return;
    // The player's PC could never open the file: refused, with what to do.
    if (const QString problem = WindowsProblem(name); !problem.isEmpty()) {
        Messages::ShowError(m_, platform_, this, problem);
        return;
    }
    // A picture the player may not show is taken after a warning.
    if (patterns_ == kPicturePattern) {
        for (const PictureHeaders::Reason& reason : PictureHeaders::Doubts(name, PictureHeaders::Read(m_.ProjectPath(name))))
            Messages::ShowError(m_, platform_, this, reason.text);
    }
    if (StartGraphicMode())
        m_.ListTable[Module1::kStartGraphicRow][1] = name;
    else
        m_.EventTable[m_.EventIndex][1] = name;
    accept();
}

void frmFilesentaku::reject()
{
    // The frame or Escape: nothing chosen.
    m_.DialogResult = 0;
    QDialog::reject();
}
