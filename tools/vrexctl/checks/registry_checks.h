// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The registry side of the check: what will not resolve once everything is
// loaded (unknown device types, instances and complex types, redirections
// that break or loop), found in the installation's registries and placed in
// the files by the lint's definition index.
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

// Adds the findings about the loaded registries. Each is reported once,
// also when several redirection chains lead to it.
void checkRegistries(const vrex::Catalogue &catalogue, const DefinitionIndex &index, FindingList &findings);

} // namespace vrexctl

#endif
