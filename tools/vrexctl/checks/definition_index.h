// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the two sides of the check share: what the file lint counted in the
// files the load took, where each registry entry is defined when that is
// asked for, and the root-cause keys under which FindingList folds what
// only follows from a file or directory that could not be read.
//
// Counting positions costs a pass over every byte before them, and keeping
// every name costs a hash of the whole installation: the check does
// neither. It counts the records of each file instead; where the registry
// holds fewer than the file, the file defines something twice, and it is
// read once more (source_scan.h) to say where, as it is for the places of
// the registry findings. A language server, which goes to definitions,
// asks for them (`definitions`).
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
    // A file the load took whole: its records and their children (groups of
    // composite instances; redirections).
    struct Counts
    {
        qsizetype records = 0;
        qsizetype children = 0;
        bool taken = false;
    };

    // Record where each instance, parameter, member and redirection is
    // defined; set before the load.
    bool definitions = false;

    QString instancesFile;
    Counts instanceCounts;
    QHash<QString, Position> instances; // with definitions: the definition the registry keeps

    QString stylesheetFile;
    Counts stylesheetCounts;

    struct DeviceTypeFile
    {
        QString path;
        QHash<QString, Place> params; // with definitions
        Counts counts;
    };
    QHash<QString, DeviceTypeFile> deviceTypes; // by registry key (see vrex::deviceTypeKey): the last file read

    struct ComplexTypeFile
    {
        QString path;
        QHash<QString, Place> members;                      // with definitions
        QHash<QPair<QString, QString>, Place> redirections; // (member, parameter), with definitions
        Counts counts;
    };
    QHash<QString, ComplexTypeFile> complexTypes;

    // The file subject is defined in; empty when there is none.
    QString fileOf(const Subject &subject) const;
    // With definitions, where subject is defined (line 0 when it is not
    // known there).
    Place definitionOf(const Subject &subject) const;
};

QString instancesCause();
QString deviceTypeCause(const QString &key);
QString complexTypeCause(const QString &name);
QString deviceTypesDirectoryCause();
QString complexTypesDirectoryCause();

} // namespace vrexctl

#endif
