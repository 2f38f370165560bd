// vrexctl check
#include "commands.h"

#include "configuration_check.h"
#include "finding_output.h"
#include "installation_lint.h"
#include "registry_reload.h"

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
