// The four commands. Each runs on freshly reloaded registries and returns
// the process exit code.
#ifndef VREXCTL_COMMANDS_H
#define VREXCTL_COMMANDS_H

#include "diagnostics_routing.h"

namespace vrexctl {

struct Invocation;

int runDump(const Invocation &invocation);
int runLookup(const Invocation &invocation);
int runStyles(const Invocation &invocation);
// loadDiagnostics: what the library reported while the registries loaded.
int runCheck(const Invocation &invocation, const QVector<Diagnostic> &loadDiagnostics);

} // namespace vrexctl

#endif
