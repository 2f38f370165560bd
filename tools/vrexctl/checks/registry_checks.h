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

// Which part of the catalogue a check after an edit covers: the instances
// (their own names) and the complex types (their members and redirections)
// the edit may change, and the instances whose redirection chains are to be
// followed again. Each is asked in check order right before its findings
// are added, so a caller can keep them apart (FindingList::takePart()). An
// instance is asked twice: for its names, then, as a member of its complex
// type, for its chains.
class RegistryScope
{
public:
    virtual ~RegistryScope() = default;
    virtual bool coversInstance(const QString &name) = 0;
    virtual bool coversComplexType(const QString &name) = 0;
    // A device type's own parameters (slot and case clashes, a stray file).
    virtual bool coversDeviceType(const QString &key)
    {
        Q_UNUSED(key);
        return true;
    }
};

// Adds the findings about the loaded registries, each once however many
// redirection chains lead to it (with a scope, once per entry it covers);
// every instance-parameter is followed once, so the check is linear in the
// registries. The findings name their subjects: placeFindings() finds them
// in the files. Suggestions are computed when a finding is listed, as long
// as the registries live.
void checkRegistries(const vrex::Catalogue &catalogue, const DefinitionIndex &index, FindingList &findings,
                     RegistryScope *scope = nullptr);

} // namespace vrexctl

#endif
