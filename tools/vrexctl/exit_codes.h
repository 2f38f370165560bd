#ifndef VREXCTL_EXIT_CODES_H
#define VREXCTL_EXIT_CODES_H

namespace vrexctl {

enum ExitCode {
    ExitOk = 0,
    ExitProblem = 1, // not found, unresolvable, or the check found problems
    ExitUsage = 2,   // unknown command or option, wrong arguments
};

} // namespace vrexctl

#endif
