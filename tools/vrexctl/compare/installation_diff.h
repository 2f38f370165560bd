// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Two installations compared: the files either side could not take, the
// address impact, the structural changes; and how they are shown.
#ifndef VREXCTL_COMPARE_INSTALLATION_DIFF_H
#define VREXCTL_COMPARE_INSTALLATION_DIFF_H

#include "compare/address_impact.h"
#include "compare/compared_installation.h"
#include "compare/structural_changes.h"

#include <QtCore/QJsonObject>

namespace vrexctl {

struct InstallationDiff
{
    QString beforeLabel; // how the sides were named on the command line
    QString afterLabel;
    QList<FileFailure> failuresBefore;
    QList<FileFailure> failuresAfter;
    AddressImpact impact;
    StructuralComparison structure;

    // Anything a host would be told differently, or a file one side takes
    // and the other does not. A renamed file alone is no difference.
    bool differs() const;
};

InstallationDiff compareInstallations(const ComparedInstallation &before, const ComparedInstallation &after);

// Files not taken first, then the answers that change grouped by cause,
// then the structural changes grouped by file; empty when nothing differs.
QString diffText(const InstallationDiff &diff, bool color);
// {"schema": 1, "command": "diff", ...}
QJsonObject diffJson(const InstallationDiff &diff);
// One line for stderr: what differs, counted.
QString diffSummary(const InstallationDiff &diff);

} // namespace vrexctl

#endif
