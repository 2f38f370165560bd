// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the two sides of the check share: what the file lint counted in the
// files the load took, and the root-cause keys under which FindingList
// folds what only follows from a file or directory that could not be read.
//
// Counting positions costs a pass over every byte before them, and keeping
// every name costs a hash of the whole installation: the load does neither.
// It counts the records of each file instead; where the registry holds fewer
// than the file, the file defines something twice, and it is read once more
// (source_scan.h) to say where, as it is for the places of the registry
// findings.
#ifndef VREXCTL_CHECKS_DEFINITION_INDEX_H
#define VREXCTL_CHECKS_DEFINITION_INDEX_H

#include "checks/finding.h"

#include <QtCore/QHash>
#include <QtCore/QString>

namespace vrexctl {

struct DefinitionIndex
{
    // One file the load took whole: its records and their children (groups
    // of composite instances; redirections).
    struct File
    {
        QString path;
        qsizetype records = 0;
        qsizetype children = 0;
        bool taken = false;
    };
    File instances;
    File stylesheet;
    QHash<QString, File> deviceTypes;  // by registry key: the last file read for it
    QHash<QString, File> complexTypes; // by type name

    // The file subject is defined in; empty when there is none.
    QString fileOf(const Subject &subject) const;
};

QString instancesCause();
QString deviceTypeCause(const QString &key);
QString complexTypeCause(const QString &name);
QString deviceTypesDirectoryCause();
QString complexTypesDirectoryCause();

} // namespace vrexctl

#endif
