// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The whole check of an installation: one load, with the file lint
// watching the parsers, then the registry checks on what was loaded.
#ifndef VREXCTL_CHECKS_INSTALLATION_CHECK_H
#define VREXCTL_CHECKS_INSTALLATION_CHECK_H

#include "checks/finding.h"
#include "checks/registry_checks.h"
#include "checks/source_facts.h"

namespace vrex {
class Installation;
}

namespace vrexctl {

struct CheckReport
{
    QList<Finding> findings; // sorted by file and position, follow-ons folded
    RegistryCounts counts;
};

// What else the load gathers from the files besides findings.
struct SourceGathering
{
    SourceFacts &facts;
    bool subjects = false;
    bool fixes = false;
};

// Loads installation (each file read once) and checks it.
CheckReport checkInstallation(vrex::Installation &installation, const SourceGathering *gathering = nullptr);

} // namespace vrexctl

#endif
