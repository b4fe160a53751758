#include "core/ProjectFiles.h"

#include "core/Records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <sys/stat.h>

namespace ProjectFiles {

namespace {

// Whether the entry `name` in `folder` exists (any kind, a dangling link
// too), or is an ordinary file (through a link). A look-up by the exact name
// comes before every read and save, so it is one system call.
bool EntryExists(const QString& folder, const QString& name)
{
    struct stat st;
    return ::lstat(QFile::encodeName(folder + QLatin1Char('/') + name).constData(), &st) == 0;
}
bool IsOrdinaryFile(const QString& folder, const QString& name)
{
    struct stat st;
    return ::stat(QFile::encodeName(folder + QLatin1Char('/') + name).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QFileInfoList OrdinaryFiles(const QString& folder)
{
    if (folder.isEmpty()) return {};
    QDir dir(folder);
    // Hidden files are not listed; symbolic links to files count as files.
    return dir.entryInfoList(QDir::Files | QDir::Readable | QDir::NoDotAndDotDot,
                             QDir::NoSort);
}

QRegularExpression WildcardRegex(const QString& pattern)
{
    // "*.*" means every file, also one without a dot, as on the player's system.
    QString p = pattern.trimmed();
    if (p == QLatin1String("*.*")) p = QStringLiteral("*");
    return QRegularExpression(
        QRegularExpression::wildcardToRegularExpression(
            p, QRegularExpression::UnanchoredWildcardConversion),
        QRegularExpression::CaseInsensitiveOption);
}

bool MatchesWhole(const QRegularExpression& re, const QString& name)
{
    const auto m = re.match(name);
    return m.hasMatch() && m.capturedStart() == 0 && m.capturedLength() == name.size();
}

}  // namespace

bool IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // Stand-ins for bytes that were not CP932 (and any other lone surrogate)
    // have no file name of their own on disk: two such names could be one file.
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0 || c.isSurrogate();
    });
}

bool IsStorableName(const QString& name)
{
    return IsPlainFileName(name) && Records::TextProblem(name).isEmpty();
}

QString FindEntryNoCase(const QString& folder, const QString& name)
{
    if (!IsPlainFileName(name) || folder.isEmpty()) return {};
    if (EntryExists(folder, name)) return name;
    QString found;
    for (const QString& n : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                       | QDir::NoDotAndDotDot,
                                                   QDir::NoSort)) {
        if (n.compare(name, Qt::CaseInsensitive) == 0 && (found.isEmpty() || n < found)) found = n;
    }
    return found;
}

QString FindFileNoCase(const QString& folder, const QString& name)
{
    if (!IsPlainFileName(name) || folder.isEmpty()) return {};
    if (IsOrdinaryFile(folder, name)) return name;
    // Several names may differ only in case; take the first in code order so
    // the answer does not depend on the order the directory lists them in.
    QString found;
    for (const QFileInfo& fi : QDir(folder).entryInfoList(
             QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort)) {
        const QString n = fi.fileName();
        if (n.compare(name, Qt::CaseInsensitive) == 0 && (found.isEmpty() || n < found))
            found = n;
    }
    return found;
}

bool AnyFileMatches(const QString& folder, const QString& pattern)
{
    const QRegularExpression re = WildcardRegex(pattern);
    const QFileInfoList files = OrdinaryFiles(folder);
    return std::any_of(files.begin(), files.end(),
                       [&](const QFileInfo& fi) { return MatchesWhole(re, fi.fileName()); });
}

QStringList ListFiles(const QString& folder, const QString& patterns)
{
    QList<QRegularExpression> res;
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        res.append(WildcardRegex(p));
    QStringList names;
    for (const QFileInfo& fi : OrdinaryFiles(folder)) {
        const QString n = fi.fileName();
        if (std::any_of(res.begin(), res.end(),
                        [&](const QRegularExpression& re) { return MatchesWhole(re, n); }))
            names.append(n);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString WindowsNameProblem(const QString& name)
{
    // Windows takes the part before the first dot, blanks at its end
    // dropped, for a device: "con.txt" and "Aux .jpg" open devices.
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\.|$)"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (const auto match = device.match(name); match.hasMatch())
        return QStringLiteral("「%1」は Windows が装置の名前として使うため、ファイル名にできません。").arg(match.captured(1));
    for (const QChar c : name) {
        if (c.unicode() < 0x20)
            return QStringLiteral("名前に制御文字が入っていて、Windows では使えません。");
        if (QStringLiteral("<>:\"/\\|?*").contains(c))
            return QStringLiteral("「%1」は Windows のファイル名に使えない文字です。").arg(c);
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("名前の終わりが「.」か空白で、Windows では使えません。");
    if (name.size() > 255)
        return QStringLiteral("名前が長すぎて（%1 文字）、Windows では使えません（255 文字まで）。").arg(name.size());
    return {};
}

QString PickedNameMessage(const QString& name, const QString& why)
{
    return QStringLiteral("ファイル「%1」の名前は Windows で使えません。").arg(name) + why
        + QStringLiteral("「ペルモローダー」では開けないため、名前を変えてから選んでください。");
}

QString PickedCaseTwinMessage(const QString& name, const QString& other)
{
    return QStringLiteral("「%1」と「%2」は大文字と小文字の違いしかなく、Windows では一つのファイルになります。"
                          "どちらかの名前を変えてから選んでください。")
        .arg(name, other);
}

QString DriveNotReadyMessage() { return QStringLiteral("ディスクが準備されていません。"); }

}  // namespace ProjectFiles
