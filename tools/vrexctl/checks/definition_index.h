// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the two sides of the check share: where each registry entry is
// defined (filled by the file lint, read by the registry checks to place
// their findings), and the root-cause keys under which FindingList folds
// what only follows from a file that could not be read.
#ifndef VREXCTL_CHECKS_DEFINITION_INDEX_H
#define VREXCTL_CHECKS_DEFINITION_INDEX_H

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
    QHash<QString, DeviceTypeFile> deviceTypes; // by registry key (see vrex::deviceTypeKey)

    struct ComplexTypeFile
    {
        QString path;
        QHash<QString, Place> members;
        QHash<QPair<QString, QString>, Place> redirections; // (member, parameter)
    };
    QHash<QString, ComplexTypeFile> complexTypes;
};

QString instancesCause();
QString deviceTypeCause(const QString &key);
QString complexTypeCause(const QString &name);
QString deviceTypesDirectoryCause();
QString complexTypesDirectoryCause();

} // namespace vrexctl

#endif
