// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The commands. Each is handed the installation the command line chose,
// not yet loaded, loads what it needs of it and returns the process exit
// code.
#ifndef VREXCTL_COMMANDS_COMMANDS_H
#define VREXCTL_COMMANDS_COMMANDS_H

namespace vrex {
class Installation;
}

namespace vrexctl {

struct Invocation;

int runDump(const Invocation &invocation, vrex::Installation &installation);
int runLookup(const Invocation &invocation, vrex::Installation &installation);
int runStyles(const Invocation &invocation, vrex::Installation &installation);
int runCheck(const Invocation &invocation, vrex::Installation &installation);
int runNames(const Invocation &invocation, vrex::Installation &installation);
int runGraph(const Invocation &invocation, vrex::Installation &installation);
// These need no installation.
int runExplain(const Invocation &invocation);
int runCodes(const Invocation &invocation);
// Opens the two installations its arguments name itself.
int runDiff(const Invocation &invocation);
// Finds its installation itself, from the client's workspace, unless
// --root or --system name one.
int runLsp(const Invocation &invocation);

} // namespace vrexctl

#endif
