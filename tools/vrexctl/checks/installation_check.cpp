#include "checks/installation_check.h"

#include "checks/file_lint.h"

#include "installation/installation.h"

namespace vrexctl {

CheckReport checkInstallation(vrex::Installation &installation)
{
    FindingList findings;
    DefinitionIndex index;
    FileLint lint(installation, findings, index);
    // The lint asks each element for its position itself; the records need
    // not keep theirs.
    installation.setObserver(&lint, false);
    installation.load();
    installation.setObserver(nullptr);
    lint.finish();
    checkRegistries(installation.catalogue(), index, findings);
    return {findings.take(), countRegistries(installation)};
}

} // namespace vrexctl
