#include "app/frmPelumo1.h"
#include "app/frmRehearsal.h"
#include "core/ListDataFile.h"
#include "core/Module1.h"
#include "core/SaveFile.h"
#include "core/ShowCheck.h"
#include "core/ShowFiles.h"
#include "dialogs/frmTenken.h"
#include "forms/FirstPaint.h"
#include "forms/FormLayout.h"
#include "forms/Picture.h"
#include "media/Importer.h"
#include "pack/ShowZip.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

// The window icon (made at build time from the desktop entry's SVG).
QIcon BuiltInIcon();

namespace {

const char kUsage[] =
    "使い方:\n"
    "  pelumo                    エディタを開きます。\n"
    "  pelumo フォルダ           エディタを開き、フォルダのショーを「リスト項目ロード」と同じように読み込みます。\n"
    "                            フォルダの代わりに、その中の listdata.pld を指定することもできます。\n"
    "                            どちらでもないときは、理由を表示して終了コード 2 で終わります。\n"
    "  pelumo --check フォルダ   フォルダのショーを点検し、再生で困る所を一行ずつ表示します。\n"
    "                            終了コード: 0 問題なし、1 問題あり、2 フォルダを読み込めない。\n"
    "  pelumo --pack フォルダ 保存先.zip\n"
    "                            ショーで使うファイルを、Windows で開ける zip ファイルにまとめます。\n"
    "                            終了コード: 0 まとめた、1 まとめられない（理由を表示）、2 フォルダを読み込めない。\n"
    "  pelumo --import フォルダ ファイル...\n"
    "                            画像と音声をプロジェクトのフォルダに取り込みます（再生できる形式に変換）。\n"
    "                            終了コード: 0 すべて取り込んだ、1 取り込めないものがあった、2 フォルダを読み込めない。\n"
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

// The project of `folder` for a command, with the notice of damaged parts
// left out; nothing, after the reason on standard error, when the folder
// cannot be read.
std::unique_ptr<Module1> LoadFolder(const QString& folder, QString& notice)
{
    const QFileInfo info(folder);
    QString reason;
    auto m = std::make_unique<Module1>();
    if (!info.exists()) {
        reason = ListDataFile::NoSuchFolderMessage(folder);
    } else if (!info.isDir()) {
        reason = ListDataFile::NotAFolderMessage(folder);
    } else {
        const ListDataFile::Loaded loaded =
            ListDataFile::LoadProject(*m, QDir::cleanPath(info.absoluteFilePath()), ListDataFile::LoadFor::Checking);
        if (loaded.missing)
            reason = ListDataFile::NoListDataMessage(folder);
        else if (!loaded.result.ok)
            reason = loaded.result.message;
        notice = loaded.result.notice;
    }
    if (reason.isEmpty()) return m;
    FolderUnreadable(reason);
    return nullptr;
}

// `pelumo --check FOLDER`: the findings as lines on standard output; 0 when
// there are none, 1 when there are, 2 when the folder cannot be read.
int CheckFolder(const QString& folder)
{
    // A damaged picture is a finding, not a warning of the image decoder.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    QString notice;
    const std::unique_ptr<Module1> m = LoadFolder(folder, notice);
    if (!m) return 2;
    if (!notice.isEmpty())
        Print(stderr, ShowCheck::DamagedListMessage(ListDataFile::Find(m->ProjectFolder)));

    CheckCache::Store cache(CheckCache::DefaultFile());
    const QStringList lines = ShowCheck::Lines(ShowCheck::Check(*m, Picture::CanDecode, &cache));
    cache.Save();
    Print(stdout, lines.isEmpty() ? ShowCheck::NothingFoundMessage() : lines.join(QLatin1Char('\n')));
    return lines.isEmpty() ? 0 : 1;
}

// `pelumo --pack FOLDER FILE.zip`: the files the show uses in a new zip; 0
// when it is written, 1 when it is not (the reasons on standard error), 2
// when the folder cannot be read. An existing file is never replaced: no one
// was asked.
int PackFolder(const QString& folder, const QString& zipPath)
{
    QString notice;
    const std::unique_ptr<Module1> m = LoadFolder(folder, notice);
    if (!m) return 2;
    if (QFileInfo(zipPath).exists() || QFileInfo(zipPath).isSymLink()) {
        Print(stderr, ShowZip::ZipExistsMessage(zipPath));
        return 1;
    }
    const ShowZip::Result packed = ShowZip::Write(ShowFiles::Collect(*m), zipPath);
    Print(packed.ok ? stdout : stderr, packed.message);
    return packed.ok ? 0 : 1;
}

// `pelumo --import FOLDER FILE...`: a line for each file, the name it came in
// under or why it did not; 0 when all came in, 1 when any did not, 2 when the
// folder is not a project's.
int ImportFiles(const QString& folder, const QStringList& files)
{
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    QString notice;
    const std::unique_ptr<Module1> m = LoadFolder(folder, notice);
    if (!m) return 2;
    bool refused = false;
    for (const Importer::Result& r : Importer::Import(m->ProjectFolder, files)) {
        refused = refused || r.name.isEmpty();
        Print(stdout, Importer::Line(r, r.source));
    }
    return refused ? 1 : 0;
}

int Usage(FILE* to, int exitCode)
{
    std::fputs(kUsage, to);
    return exitCode;
}

// The windows belong to the desktop entry, which a task bar shows them
// under, with its icon, built into the program at every size it is drawn at.
void TieToDesktopEntry()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pelumo.Editor"));
    QApplication::setWindowIcon(BuiltInIcon());
}

// `pelumo --rehearse FOLDER [--window]`: the show rehearsed full screen, or
// in a window; 2 when the folder cannot be read. The folder is read before
// the display is opened.
int RehearseFolder(int argc, char** argv)
{
    if (argc < 3 || argv[2][0] == '-') return Usage(stderr, 2);
    for (int i = 3; i < argc; ++i)
        if (!std::strncmp(argv[i], "--", 2) && std::strcmp(argv[i], "--window")) return Usage(stderr, 2);
    // A picture that does not decode is listed at the end, not warned of.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    QString notice;
    const std::unique_ptr<Module1> m = LoadFolder(QFile::decodeName(argv[2]), notice);
    if (!m) return 2;
    QApplication app(argc, argv);
    TieToDesktopEntry();
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
    if (argc >= 2 && !std::strcmp(argv[1], "--pack")) {
        if (argc != 4) return Usage(stderr, 2);
        QCoreApplication app(argc, argv);
        return PackFolder(QFile::decodeName(argv[2]), QFile::decodeName(argv[3]));
    }
    if (argc >= 2 && !std::strcmp(argv[1], "--import")) {
        if (argc < 4) return Usage(stderr, 2);
        QCoreApplication app(argc, argv);
        QStringList files;
        for (int i = 3; i < argc; ++i) files << QFile::decodeName(argv[i]);
        return ImportFiles(QFile::decodeName(argv[2]), files);
    }
    if (argc >= 2 && !std::strcmp(argv[1], "--rehearse")) return RehearseFolder(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (!std::strncmp(argv[i], "--", 2) || !std::strcmp(argv[i], "-h")) return Usage(stderr, 2);

    QApplication app(argc, argv);
    // Qt has taken its own options out: what is left names the show to open.
    if (argc > 2) return Usage(stderr, 2);
    QString folder;
    if (argc == 2) {
        const QString path = QFile::decodeName(argv[1]);
        folder = ListDataFile::FolderNamedBy(path);
        if (folder.isEmpty())
            return FolderUnreadable(QFileInfo::exists(path) ? ListDataFile::NotAShowMessage(path) : ListDataFile::NoSuchPathMessage(path));
    }
    TieToDesktopEntry();
    FormLayout::InstallFontSubstitutions();

    auto state = std::make_unique<Module1>();
    QtPlatform platform;
    frmPelumo1 topMenu(*state, platform);
    FirstPaint::QuitAfterIfAsked(&topMenu);
    topMenu.show();
    // Loaded once the loop runs, so that its messages come over the shown menu.
    if (!folder.isEmpty()) QTimer::singleShot(0, &topMenu, [&] { topMenu.LoadFolder(folder); });
    return app.exec();
}
