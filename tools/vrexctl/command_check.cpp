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
    // The files first: the instances file's records go straight into the
    // registry, the other documents are gone before their registries fill,
    // so time and peak memory stay near the load's own.
    lintInstallationFiles(findings, index);
    reloadRegistries(Instances::Keep);
    checkRegistries(index, findings);
    return writeFindings(invocation, findings.take(), countRegistries());
}

} // namespace vrexctl
