// The four commands. dump, lookup and styles run on freshly loaded
// registries; check loads them itself, after reading the files. Each
// returns the process exit code.
#ifndef VREXCTL_COMMANDS_COMMANDS_H
#define VREXCTL_COMMANDS_COMMANDS_H

namespace vrexctl {

struct Invocation;

int runDump(const Invocation &invocation);
int runLookup(const Invocation &invocation);
int runStyles(const Invocation &invocation);
int runCheck(const Invocation &invocation);

} // namespace vrexctl

#endif
