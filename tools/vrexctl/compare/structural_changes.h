// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the registries of two installations hold differently, entry by
// entry and field by field: instances and their groups, device types and
// their parameters, complex types, members and redirections, and styles.
// Whatever the files' formatting, attribute order or comments, equal
// registries give no change.
#ifndef VREXCTL_COMPARE_STRUCTURAL_CHANGES_H
#define VREXCTL_COMPARE_STRUCTURAL_CHANGES_H

#include <QtCore/QJsonValue>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

class ComparedInstallation;

struct StructuralChange
{
    enum Change { Added, Removed, Changed };
    enum Kind { Instance, Group, DeviceType, Parameter, ComplexType, Member, Redirection, Style };

    Change change = Changed;
    Kind kind = Instance;
    QString file;      // below the configuration root
    QStringList names; // from the registry entry down, e.g. {"CameraRig", "cam2", "zoom"}
    QString field;     // what changed, for Changed
    QJsonValue before; // the field's values for Changed; for Added and
    QJsonValue after;  // Removed, a summary of the entry on its side
};

// A device type read from a file of another name (its letter case, as a
// rule): it changes nothing a host is told.
struct FileRename
{
    QString deviceType;
    QString before;
    QString after;
};

struct StructuralComparison
{
    QList<StructuralChange> changes; // grouped by file
    QList<FileRename> renames;
};

StructuralComparison compareStructures(const ComparedInstallation &before, const ComparedInstallation &after);

// The words for a kind ("device type") and its JSON key ("devicetype").
QString kindWords(StructuralChange::Kind kind);
QString kindKey(StructuralChange::Kind kind);

} // namespace vrexctl

#endif
