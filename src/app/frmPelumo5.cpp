#include "app/frmPelumo5.h"

#include "core/Module1.h"
#include "core/ProjectFiles.h"
#include "dialogs/Messages.h"
#include "forms/FormLayout.h"
#include "platform/Platform.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

using namespace FormLayout;

namespace {

const QString kRoot = QStringLiteral("/");

// An absolute "/" separated path without "." or ".." parts and without a
// trailing separator (the root stays "/").
QString Normalized(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

bool CanOpen(const QString& path)
{
    const QFileInfo fi(path);
    return fi.isDir() && fi.isReadable() && fi.isExecutable();
}

// The folder list draws its folders indented by level, without the expand
// arrows of a tree: every folder shown is open or a child of the open one.
class FolderList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
};

bool IsUnder(const QString& path, const QString& folder)
{
    return path == folder || folder == kRoot
        || path.startsWith(folder + QLatin1Char('/'));
}

}  // namespace

frmPelumo5::frmPelumo5(Module1& m, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(m), platform_(platform)
{
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void frmPelumo5::CreateControls()
{
    setObjectName(QStringLiteral("frmPelumo5"));
    setWindowTitle(QStringLiteral("ペルモフォルダ選択（フォルダはダブルクリックして開いてください。）"));
    setModal(true);
    SetClientArea(this, 7275, 3165);

    drvSentaku = Add<QComboBox>(this, "drvSentaku",
                                QRect(600, 390, 3135, 315), Font(kGothic, 9.75, false));

    dirSentaku = Add<FolderList>(this, "dirSentaku",
                                 QRect(600, 900, 3135, 1665), Font(kGothic, 9.75, false));
    dirSentaku->setHeaderHidden(true);
    dirSentaku->setRootIsDecorated(false);
    dirSentaku->setItemsExpandable(false);
    dirSentaku->setIndentation(12);
    dirSentaku->setExpandsOnDoubleClick(false);

    filSentaku = Add<QListWidget>(this, "filSentaku",
                                  QRect(3960, 360, 2775, 2235), Font(kGothic, 9.75, false));

    cmdOk = AddButton(this, "cmdOk", QStringLiteral("OK"),
                      QRect(4080, 2640, 1215, 375), Font(kGothic, 12, true));

    Command1 = AddButton(this, "Command1", QStringLiteral("キャンセル"),
                         QRect(5400, 2640, 1215, 375), Font(kGothic, 9, true));

    setTabOrder(drvSentaku, dirSentaku);
    setTabOrder(dirSentaku, filSentaku);
    setTabOrder(filSentaku, cmdOk);
    setTabOrder(cmdOk, Command1);
}

void frmPelumo5::ConnectHandlers()
{
    connect(drvSentaku, &QComboBox::currentIndexChanged, this, &frmPelumo5::drvSentaku_Change);
    connect(dirSentaku, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!OpenFolder(PathOf(item))) {
            // The folder went away or cannot be read: show what is there now.
            platform_.Beep();
            FillFolderList();
            dirSentaku_Change();
        }
    });
    connect(cmdOk, &QPushButton::clicked, this, &frmPelumo5::cmdOk_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPelumo5::Command1_Click);
}

void frmPelumo5::Form_Load()
{
    pattern_ = m_.CallerMode == Module1::kModeLoad ? QStringLiteral("*.pld") : QStringLiteral("*.*");
    FillDrives();
    const QString start = Normalized(QDir::currentPath());
    if (!OpenFolder(start)) OpenFolder(kRoot);
    SelectDriveOf(openFolder_);
    dirSentaku->setFocus();
}

void frmPelumo5::drvSentaku_Change()
{
    const QString drive = drvSentaku->currentData().toString();
    if (OpenFolder(drive)) return;
    platform_.Beep();
    Messages::ShowError(m_, platform_, this, ProjectFiles::DriveNotReadyMessage());
}

void frmPelumo5::dirSentaku_Change()
{
    filSentaku->clear();
    filSentaku->addItems(ProjectFiles::ListFiles(openFolder_, pattern_));
}

void frmPelumo5::cmdOk_Click()
{
    // Only a folder below the root can be chosen.
    if (openFolder_.isEmpty() || openFolder_.endsWith(QLatin1Char('/'))) return;
    m_.ProjectFolder = openFolder_;
    accept();
}

void frmPelumo5::Command1_Click()
{
    m_.ProjectFolder = m_.PreviousFolder;
    QDialog::reject();
}

void frmPelumo5::reject()
{
    Command1_Click();
}

bool frmPelumo5::OpenFolder(const QString& path)
{
    if (path.isEmpty()) return false;
    const QString folder = Normalized(path);
    if (!CanOpen(folder)) return false;
    openFolder_ = folder;
    FillFolderList();
    dirSentaku_Change();
    return true;
}

QString frmPelumo5::PathOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

// The root, the home folder and the mounted volumes under /media and /mnt.
void frmPelumo5::FillDrives()
{
    QStringList drives{kRoot, Normalized(QDir::homePath())};
    QStringList volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = Normalized(volume.rootPath());
        if (IsUnder(root, QStringLiteral("/media")) || IsUnder(root, QStringLiteral("/mnt")))
            volumes.append(root);
    }
    std::sort(volumes.begin(), volumes.end());
    drives.append(volumes);
    drives.removeDuplicates();

    const QSignalBlocker block(drvSentaku);
    drvSentaku->clear();
    for (const QString& d : drives) drvSentaku->addItem(d, d);
}

// The drive list shows the drive that holds `path`: the longest one above it.
void frmPelumo5::SelectDriveOf(const QString& path)
{
    int best = 0;
    for (int i = 0; i < drvSentaku->count(); ++i) {
        const QString d = drvSentaku->itemData(i).toString();
        if (IsUnder(path, d) && d.size() > drvSentaku->itemData(best).toString().size())
            best = i;
    }
    const QSignalBlocker block(drvSentaku);
    drvSentaku->setCurrentIndex(best);
}

// The open folder's path from the root down, each part an open folder, then
// the open folder's subfolders.
void frmPelumo5::FillFolderList()
{
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    dirSentaku->clear();

    auto* item = new QTreeWidgetItem(dirSentaku, QStringList{kRoot});
    item->setData(0, Qt::UserRole, kRoot);
    item->setIcon(0, openIcon);
    QString path;
    for (const QString& part : openFolder_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        item = new QTreeWidgetItem(item, QStringList{part});
        item->setData(0, Qt::UserRole, path);
        item->setIcon(0, openIcon);
    }
    QTreeWidgetItem* open = item;

    const QStringList subfolders = QDir(openFolder_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QString prefix = openFolder_ == kRoot ? QString() : openFolder_;
    for (const QString& name : subfolders) {
        auto* sub = new QTreeWidgetItem(open, QStringList{name});
        sub->setData(0, Qt::UserRole, prefix + QLatin1Char('/') + name);
        sub->setIcon(0, closedIcon);
    }

    dirSentaku->expandAll();
    dirSentaku->setCurrentItem(open);
    dirSentaku->scrollToItem(open);
}
