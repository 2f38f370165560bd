// vrexctl check
#include "commands/commands.h"

#include "checks/installation_check.h"
#include "output/finding_output.h"

namespace vrexctl {

int runCheck(const Invocation &invocation, vrex::Installation &installation)
{
    const CheckReport report = checkInstallation(installation);
    return writeFindings(invocation, report.findings, report.counts);
}

} // namespace vrexctl
