#include "forms/FirstPaint.h"
#include "forms/FormLayout.h"
#include "core/ListDataFile.h"
#include "core/Module1.h"
#include "core/SaveFile.h"
#include "core/ShowCheck.h"
#include "app/frmPelumo1.h"
#include "app/frmRehearsal.h"
#include "dialogs/frmTenken.h"
#include "forms/Picture.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char kUsage[] =
    "使い方:\n"
    "  pelumo                    エディタを開きます。\n"
    "  pelumo --check フォルダ   フォルダのショーを点検し、再生で困る所を一行ずつ表示します。\n"
    "                            終了コード: 0 問題なし、1 問題あり、2 フォルダを読み込めない。\n"
    "  pelumo --rehearse フォルダ [--window]\n"
    "                            フォルダのショーを、見る人と同じ全画面でリハーサルします\n"
    "                            （--window では 1280 x 960 のウィンドウで）。\n"
    "  pelumo --help             この説明を表示します。\n"
    "「-」一つで始まる引数（-platform など）は Qt に渡されます。\n";

void Print(FILE* to, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, bytes.size(), to);
}

int FolderUnreadable(const QString& reason)
{
    Print(stderr, reason);
    return 2;
}

// The project of `folder` loaded into `m` to be read, not edited: nothing in
// the folder changes. 0 when it loaded; 2, with the reason on standard error,
// when the folder cannot be read.
int LoadToRead(const QString& folder, Module1& m, ListDataFile::Loaded& loaded)
{
    // A damaged picture is a finding, not a warning of the image decoder.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    const QFileInfo info(folder);
    if (!info.exists()) return FolderUnreadable(QStringLiteral("フォルダ「%1」がありません。").arg(folder));
    if (!info.isDir()) return FolderUnreadable(QStringLiteral("「%1」はフォルダではありません。").arg(folder));
    loaded = ListDataFile::LoadProject(m, QDir::cleanPath(info.absoluteFilePath()), ListDataFile::LoadFor::Checking);
    if (loaded.missing)
        return FolderUnreadable(
            QStringLiteral("フォルダ「%1」にリストデータ(listdata.pld)がありません。").arg(folder));
    return loaded.result.ok ? 0 : FolderUnreadable(loaded.result.message);
}

// `pelumo --check FOLDER`: the findings as lines on standard output; 0 when
// there are none, 1 when there are, 2 when the folder cannot be read.
int CheckFolder(const QString& folder)
{
    auto m = std::make_unique<Module1>();
    ListDataFile::Loaded loaded;
    if (const int unreadable = LoadToRead(folder, *m, loaded)) return unreadable;
    if (!loaded.result.notice.isEmpty())
        Print(stderr, QStringLiteral("「%1」の一部が壊れています。読み取れた部分を点検しました。")
                          .arg(ListDataFile::Find(m->ProjectFolder)));

    const QStringList lines = ShowCheck::Lines(ShowCheck::Check(*m, Picture::CanDecode));
    Print(stdout, lines.isEmpty() ? frmTenken::kNothingFound : lines.join(QLatin1Char('\n')));
    return lines.isEmpty() ? 0 : 1;
}

int Usage(FILE* to, int exitCode)
{
    std::fputs(kUsage, to);
    return exitCode;
}

// `pelumo --rehearse FOLDER [--window]`: the show rehearsed full screen, or
// in a window; 2 when the folder cannot be read. The folder is read before
// the display is opened.
int RehearseFolder(int argc, char** argv)
{
    if (argc < 3 || argv[2][0] == '-') return Usage(stderr, 2);
    for (int i = 3; i < argc; ++i)
        if (!std::strncmp(argv[i], "--", 2) && std::strcmp(argv[i], "--window")) return Usage(stderr, 2);
    auto m = std::make_unique<Module1>();
    ListDataFile::Loaded loaded;
    if (const int unreadable = LoadToRead(QFile::decodeName(argv[2]), *m, loaded)) return unreadable;
    QApplication app(argc, argv);
    FormLayout::InstallFontSubstitutions();
    QtPlatform platform;
    frmRehearsal::Rehearse(*m, platform, nullptr, QApplication::arguments().contains(QStringLiteral("--window")));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    SaveFile::PrepareProcess();
    // The commands that need no display come first. Options of our own have
    // two dashes; those of one dash are the toolkit's.
    const bool help = argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"));
    if (help) return Usage(stdout, 0);
    if (argc >= 2 && !std::strcmp(argv[1], "--check")) {
        if (argc != 3) return Usage(stderr, 2);
        // Picture decoding needs the image plugins only, which a core
        // application loads: no display, no window system.
        QCoreApplication app(argc, argv);
        return CheckFolder(QFile::decodeName(argv[2]));
    }
    if (argc >= 2 && !std::strcmp(argv[1], "--rehearse")) return RehearseFolder(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (!std::strncmp(argv[i], "--", 2) || !std::strcmp(argv[i], "-h")) return Usage(stderr, 2);

    QApplication app(argc, argv);
    FormLayout::InstallFontSubstitutions();

    auto state = std::make_unique<Module1>();
    QtPlatform platform;
    frmPelumo1 topMenu(*state, platform);
    FirstPaint::QuitAfterIfAsked(&topMenu);
    topMenu.show();
    return app.exec();
}
