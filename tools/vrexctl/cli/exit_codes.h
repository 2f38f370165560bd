// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#ifndef VREXCTL_CLI_EXIT_CODES_H
#define VREXCTL_CLI_EXIT_CODES_H

namespace vrexctl {

enum ExitCode {
    ExitOk = 0,
    ExitProblem = 1,        // not found, unresolvable, or the check found problems
    ExitUsage = 2,          // unknown command or option, wrong arguments
    ExitNoInstallation = 3, // the root, system or config directory is missing or cannot be read
    ExitOutput = 4,         // stdout or stderr could not be written
    ExitIncomplete = 5,     // a file the answer depends on failed to load (named on stderr)
};

} // namespace vrexctl

#endif
