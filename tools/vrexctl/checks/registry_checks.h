// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The registry side of the check: what will not resolve once everything is
// loaded (unknown device types, instances and complex types, redirections
// that break, loop or end on slot 0), what the library keeps but never uses
// (members of a complex type their instance does not name, redirections of
// parameters with a slot of their own, copies of type files), and what
// clashes (two instances on one address, two parameters on one slot, names
// that differ only in letter case). Findings name their subjects; where
// those are in the files is found afterwards.
#ifndef VREXCTL_CHECKS_REGISTRY_CHECKS_H
#define VREXCTL_CHECKS_REGISTRY_CHECKS_H

#include "checks/definition_index.h"
#include "checks/finding.h"

#include "installation/installation.h"

namespace vrexctl {

struct RegistryCounts
{
    int styles = 0;
    int instances = 0;
    int deviceTypes = 0;
    int complexTypes = 0;
    int redirections = 0;
};

RegistryCounts countRegistries(const vrex::Installation &installation);

// Adds the findings about the loaded registries, each once however many
// redirection chains lead to it; every instance-parameter is followed once,
// so the check is linear in the registries. Suggestions are computed when a
// finding is listed, as long as the registries live. Returns how many
// groups the instances have, which the instances file's count of groups
// must match.
qsizetype checkRegistries(const vrex::Catalogue &catalogue, const DefinitionIndex &index, FindingList &findings);

} // namespace vrexctl

#endif
