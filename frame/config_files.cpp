#include "frame/config_files.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
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

bool readWholeFile(const QString &path, QByteArray *contents)
{
    // Regular files only (symlinks followed): opening a FIFO blocks until a
    // writer comes, and a device such as /dev/zero never ends, either of
    // which would hang or exhaust every GUI process at start-up.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *contents = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace vrex
