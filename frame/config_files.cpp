#include "frame/config_files.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace vrex {

namespace {
constexpr QDir::Filters kAllEntries =
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
}

QStringList listXmlEntries(const QString &dir)
{
    // Name filters are case-insensitive unless QDir::CaseSensitive is given.
    // Hidden is included so that a file called just ".xml" is listed as it
    // would be on a platform without dot-file hiding.
    QDir d(dir, QString(), QDir::Name | QDir::IgnoreCase, kAllEntries);
    return d.entryList(QStringList{QStringLiteral("*.xml")});
}

QString resolveEntry(const QString &dir, const QString &fileName)
{
    const QString exact = dir + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink())
        return exact;

    QDir d(dir, QString(), QDir::Name, kAllEntries);
    const QStringList entries = d.entryList();
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir + QLatin1Char('/') + entry;
    }
    return exact;
}

} // namespace vrex
