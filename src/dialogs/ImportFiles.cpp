#include "dialogs/ImportFiles.h"

#include "core/Module1.h"
#include "dialogs/frmError.h"
#include "dialogs/frmTenken.h"
#include "forms/LongWork.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ImportFiles {

namespace {

// Past this many files the message is a list in a window of its own: the
// message box shows about four lines before it scrolls.
constexpr int kMessageBoxFiles = 3;

}  // namespace

QStringList Choose(Platform& platform, QWidget* parent, Material material)
{
    const bool pictures = material == Material::Pictures;
    const QString own = QStandardPaths::writableLocation(pictures ? QStandardPaths::PicturesLocation : QStandardPaths::MusicLocation);
    const QString filter = pictures ? QStringLiteral("取り込める絵 (%1)").arg(Importer::PicturePatterns())
                                    : QStringLiteral("取り込める音 (%1)").arg(Importer::SoundPatterns());
    return platform.ChooseFiles(parent, QStringLiteral("取り込むファイルを選んでください"),
                                QDir(own).exists() ? own : QDir::homePath(),
                                {filter, QStringLiteral("すべてのファイル (*)")});
}

QList<Importer::Result> Import(const Module1& m, QWidget* parent, const QStringList& sources)
{
    QList<Importer::Result> results;
    LongWork::Run(parent, QStringLiteral("ファイルの取り込み"), QStringLiteral("ファイルを取り込んでいます…"),
                  [&](LongWork::Progress& progress) {
                      results = Importer::Import(m.ProjectFolder, sources, [&](int done, int total) {
                          return progress.Report(done, total);
                      });
                  });
    return results;
}

void Tell(Module1& m, Platform& platform, QWidget* parent, const QList<Importer::Result>& results)
{
    QStringList lines;
    for (const Importer::Result& r : results) lines << Importer::Line(r, QFileInfo(r.source).fileName());
    const QString heading = Importer::Heading(results);
    const QString title = QStringLiteral("取り込みの結果");
    if (results.size() <= kMessageBoxFiles) {
        m.ErrorText = heading + QStringLiteral("\n・") + lines.join(QStringLiteral("\n・"));
        frmError box(m, platform, parent);
        box.setWindowTitle(title);  // not every import is an error
        box.exec();
        return;
    }
    frmTenken list(m, platform, title, QStringList{heading} + lines, parent);
    list.exec();
}

}  // namespace ImportFiles
