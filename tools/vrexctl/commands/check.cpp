// vrexctl check
#include "commands/commands.h"

#include "checks/registry_checks.h"
#include "output/finding_output.h"
#include "checks/file_lint.h"
#include "cli/installation_root.h"

namespace vrexctl {

int runCheck(const Invocation &invocation)
{
    FindingList findings;
    DefinitionIndex index;
    // Each file is read once, its records going into the registries as the
    // loaders put them: time and peak memory stay near the load's own.
    lintInstallationFiles(findings, index);
    reloadStyles();
    checkRegistries(index, findings);
    return writeFindings(invocation, findings.take(), countRegistries());
}

} // namespace vrexctl
