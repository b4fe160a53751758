#include "media/ImportNames.h"

#include "core/Cp932.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace ImportNames {

namespace {

// A name's bytes here (UTF-8) may be at most 255; this leaves room for the
// counter and the extension.
constexpr int kMaxStemBytes = 200;

bool Unfit(char32_t c)
{
    static const QString kWindowsForbids = QStringLiteral("<>:\"/\\|?*");
    if (c < 0x20 || (c >= 0xD800 && c < 0xE000) || c == 0xFFFD) return true;
    const QString one = QString::fromUcs4(&c, 1);
    return kWindowsForbids.contains(one) || !Cp932::FirstUnrepresentable(one).isEmpty();
}

}  // namespace

QString SafeName(const QString& sourceName, const QString& extension)
{
    const qsizetype dot = sourceName.lastIndexOf(QLatin1Char('.'));
    QString stem;
    for (const char32_t c : sourceName.left(dot > 0 ? dot : sourceName.size()).toUcs4())
        stem += Unfit(c) ? QStringLiteral("_") : QString::fromUcs4(&c, 1);
    while (QFile::encodeName(stem).size() > kMaxStemBytes) stem.chop(stem.back().isLowSurrogate() ? 2 : 1);
    while (stem.endsWith(QLatin1Char('.')) || stem.endsWith(QLatin1Char(' '))) stem.chop(1);
    if (stem.startsWith(QLatin1Char('.'))) stem[0] = QLatin1Char('_');
    if (stem.isEmpty()) stem = QStringLiteral("_");
    static const QRegularExpression kDevice(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString device = stem.section(QLatin1Char('.'), 0, 0);
    if (kDevice.match(device).hasMatch()) stem.insert(device.size(), QLatin1Char('_'));
    return stem + QLatin1Char('.') + extension;
}

QString FreeName(const QString& folder, const QString& name)
{
    QSet<QString> taken;
    const QDir::Filters every = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& entry : QDir(folder).entryList(every, QDir::NoSort)) taken.insert(entry.toCaseFolded());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString free = name;
    for (int n = 2; taken.contains(free.toCaseFolded()); ++n)
        free = name.left(dot) + QStringLiteral("(%1)").arg(n) + name.mid(dot);
    return free;
}

}  // namespace ImportNames
