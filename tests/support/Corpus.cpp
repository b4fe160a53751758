#include "support/Corpus.h"

#include "core/EventFile.h"
#include "core/ListDataFile.h"
#include "core/Module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace Corpus {

namespace {

void Generate(const QString& project, int items, int events)
{
    auto m = std::make_unique<Module1>();
    m->ProjectFolder = project;
    m->PrepareNewList();
    for (int row = 1; row <= events; ++row) m->EventTable[row][0] = "ウエイト", m->EventTable[row][1] = "10";
    for (int item = 1; item <= items; ++item) {
        m->ListTable[item][1] = QStringLiteral("項目%1").arg(item);
        m->ListTable[item][2] = QStringLiteral("%1.pev").arg(item);
        m->ItemIndex = qint16(item);
        EventFile::Write(*m);
    }
    m->LastEventFileNumber = qint16(items);
    ListDataFile::Write(*m);
}

}  // namespace

QString Prepare(const QString& corpus, const QString& name, const QString& parent)
{
    const QString source = corpus + '/' + name;
    const QString project = parent + "/project";
    QDir().mkpath(project);
    for (const QFileInfo& fi : QDir(source).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString n = fi.fileName();
        if (n == "_setup") continue;
        const QString to = n.startsWith("_outside_") ? parent + '/' + n.mid(9) : project + '/' + n;
        QFile::copy(fi.filePath(), to);
    }
    QFile setup(source + "/_setup");
    if (setup.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : setup.readAll().split('\n')) {
            const QList<QByteArray> w = line.split(' ');
            if (w[0] == "link") QFile::link(QString::fromUtf8(w[2]), project + '/' + w[1]);
            if (w[0] == "dir") QDir(project).mkdir(QString::fromUtf8(w[1]));
            if (w[0] == "generate") Generate(project, w[1].toInt(), w[2].toInt());
            if (w[0] == "size") {
                QFile big(project + '/' + w[1]);
                big.open(QIODevice::WriteOnly);
                big.resize(w[2].toLongLong());  // sparse: quick to make
            }
        }
    }
    return project;
}

}  // namespace Corpus
