// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The whole check of an installation: one load, with the file lint
// watching the parsers, then the registry checks on what was loaded, then
// the places of what the registry checks found.
#ifndef VREXCTL_CHECKS_INSTALLATION_CHECK_H
#define VREXCTL_CHECKS_INSTALLATION_CHECK_H

#include "checks/definition_index.h"
#include "checks/finding.h"
#include "checks/registry_checks.h"
#include "checks/source_facts.h"

namespace vrex {
class Installation;
}

namespace vrexctl {

struct CheckReport
{
    // Sorted by file and position, follow-ons folded. Suggestions are
    // still to be computed (CheckOptions::suggested) for those that are listed,
    // while the installation lives.
    QList<Finding> findings;
    RegistryCounts counts;
};

// What else the load gathers from the files besides findings.
struct SourceGathering
{
    SourceFacts &facts;
    bool subjects = false;
    bool fixes = false;
};

// Gives the findings about the registries their places, and adds those
// about records defined twice: both read the files that need it again.
void placeFindings(FindingList &findings, const DefinitionIndex &index, const vrex::Installation &installation);

// Loads installation (each file read once) and checks it.
CheckReport checkInstallation(vrex::Installation &installation, const SourceGathering *gathering = nullptr);

} // namespace vrexctl

#endif
