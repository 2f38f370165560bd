// The file side of the check: reads every configuration file the library
// reads, the way its loaders do, through its parsers with an observer, and
// reports
// what each file says in a way the load silently reads otherwise. It also
// records where each registry entry is defined, for the findings about
// the registries (configuration_check.h).
#ifndef VREXCTL_CHECKS_FILE_LINT_H
#define VREXCTL_CHECKS_FILE_LINT_H

#include "checks/finding.h"

#include <QtCore/QHash>
#include <QtCore/QPair>
#include <QtCore/QString>

namespace vrexctl {

struct DefinitionIndex
{
    struct Position
    {
        qint64 line = 0;
        qint64 column = 0;
    };
    QString instancesFile;
    QHash<QString, Position> instances; // in instancesFile; the definition the registry keeps

    struct DeviceTypeFile
    {
        QString path;
        QHash<QString, Place> params;
    };
    QHash<QString, DeviceTypeFile> deviceTypes; // by registry key (lower case)

    struct ComplexTypeFile
    {
        QString path;
        QHash<QString, Place> members;
        QHash<QPair<QString, QString>, Place> redirections; // (member, parameter)
    };
    QHash<QString, ComplexTypeFile> complexTypes;
};

// Root-cause keys under which FindingList folds follow-on findings.
QString instancesCause();
QString deviceTypeCause(const QString &key);
QString complexTypeCause(const QString &name);
QString deviceTypesDirectoryCause();
QString complexTypesDirectoryCause();

// Lints the installation below the current configuration root into
// findings and fills index. Each file is read once: the records go into the
// library's instance, device-type and complex-type registries (emptied
// first) through the library's own merges, as its loaders put them there.
// The styles registry is the library's to load.
void lintInstallationFiles(FindingList &findings, DefinitionIndex &index);

// Why path cannot be read, in a few words ("no such file", "permission
// denied", "is a directory").
QString unreadableReason(const QString &path);

} // namespace vrexctl

#endif
