// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/installation_check.h"

#include "checks/file_lint.h"

#include "installation/installation.h"

#include <optional>

namespace vrexctl {

CheckReport checkInstallation(vrex::Installation &installation, const SourceGathering *gathering)
{
    FindingList findings;
    DefinitionIndex index;
    FileLint lint(installation, findings, index);
    std::optional<SourceObserver> gatherer;
    if (gathering)
        gatherer.emplace(lint, gathering->facts, gathering->subjects, gathering->fixes);
    // The lint asks each element for its position itself; the records need
    // not keep theirs.
    installation.setObserver(gatherer ? static_cast<vrex::FormatObserver *>(&*gatherer) : &lint, false);
    installation.load();
    installation.setObserver(nullptr);
    lint.finish();
    checkRegistries(installation.catalogue(), index, findings);
    return {findings.take(), countRegistries(installation)};
}

} // namespace vrexctl
