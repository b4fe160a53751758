#include "support/Corpus.h"

#include "core/ListDataFile.h"
#include "core/Module1.h"
#include "support/Bytes.h"
#include "support/Shows.h"

#include <QImage>

#include <memory>

namespace Corpus {

namespace {

void Generate(const QString& project, int items, int events)
{
    const QList<QStringList> waits(events, QStringList{"ウエイト", "10"});
    QList<Shows::Item> list;
    for (int item = 1; item <= items; ++item) list.append({QStringLiteral("項目%1").arg(item), waits});
    const std::unique_ptr<Module1> m = Shows::Make(project, list, "", {});
    m->LastEventFileNumber = qint16(items);  // as the editor leaves a list it made
    ListDataFile::Write(*m);
}

}  // namespace

QString Prepare(const QString& corpus, const QString& name, const QString& parent)
{
    const QString source = corpus + '/' + name;
    const QString project = parent + "/project";
    QDir().mkpath(project);
    for (const QFileInfo& fi : QDir(source).entryInfoList(QDir::Files | QDir::Hidden))
        if (const QString n = fi.fileName(); n != "_setup")
            QFile::copy(fi.filePath(), n.startsWith("_outside_") ? parent + '/' + n.mid(9) : project + '/' + n);
    for (const QByteArray& line : Bytes::Read(source + "/_setup").split('\n')) {
        const QList<QByteArray> w = line.split(' ');
        if (w[0] == "link") QFile::link(QString::fromUtf8(w[2]), project + '/' + w[1]);
        if (w[0] == "dir") QDir(project).mkdir(QString::fromUtf8(w[1]));
        if (w[0] == "generate") Generate(project, w[1].toInt(), w[2].toInt());
        if (w[0] == "picture") QImage(8, 8, QImage::Format_Mono).save(project + '/' + QString::fromUtf8(w[1]));
        if (QFile big(project + '/' + w.value(1)); w[0] == "size" && big.open(QIODevice::WriteOnly))
            big.resize(w[2].toLongLong());  // sparse: quick to make
    }
    return project;
}

}  // namespace Corpus
