// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The command line: what to run, against which installation, how to print.
#ifndef VREXCTL_CLI_COMMAND_LINE_H
#define VREXCTL_CLI_COMMAND_LINE_H

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

struct Invocation
{
    QString command;       // dump, lookup, styles, check, names, diff, graph, explain or "help codes"
    QStringList arguments; // the command's own arguments, count already checked
    QString format = QStringLiteral("text"); // text or json; for check also sarif, github, gitlab; graph: dot, svg, png
    bool json = false;     // format is json
    bool verbose = false;
    bool quiet = false;
    bool color = false;    // decided from --color, NO_COLOR and the terminal
    bool failOnErrorOnly = false;
    bool failOnSet = false; // given on the command line: wins over the configuration
    int maxProblems = 200; // 0: all
    int depth = -1;        // graph: edges to follow from the named instances; -1: all
    bool rootSet = false;
    QString root;          // replaces ZT_ROOT when rootSet (see installation_root.h)
    bool systemSet = false;
    QString system;        // replaces ZT_SYSTEM when systemSet
    // check only
    QString configFile;    // --config; empty: ROOT/SYSTEM/.vrexctl.ini if it exists
    bool noConfig = false;
    QString baseline;      // --baseline; empty: the configuration's
    QString writeBaseline;
    bool showSuppressed = false;
    bool diff = false;
    bool fix = false;
};

struct ParsedCommandLine
{
    enum Outcome { Run, ShowHelp, ShowVersion, UsageError };
    Outcome outcome = Run;
    Invocation invocation;
    QString text; // help or version text, or the usage error
};

// Parses arguments (argv[0] first). Nothing is loaded or printed here.
// stdoutIsTerminal and noColor (NO_COLOR set and not empty) decide
// --color=auto.
ParsedCommandLine parseCommandLine(const QStringList &arguments, bool stdoutIsTerminal = false,
                                   bool noColor = false);

} // namespace vrexctl

#endif
