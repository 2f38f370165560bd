// The command line: what to run, against which installation, how to print.
#ifndef VREXCTL_CLI_COMMAND_LINE_H
#define VREXCTL_CLI_COMMAND_LINE_H

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

struct Invocation
{
    QString command;       // dump, lookup, styles, check, names, diff or graph
    QStringList arguments; // the command's own arguments, count already checked
    bool json = false;
    bool verbose = false;
    bool quiet = false;
    bool color = false;    // decided from --color, NO_COLOR and the terminal
    bool failOnErrorOnly = false;
    int maxProblems = 200; // 0: all
    QString format;        // diff: text or json; graph: dot, svg or png; empty: the command's default
    int depth = -1;        // graph: edges to follow from the named instances; -1: all
    bool rootSet = false;
    QString root;          // replaces ZT_ROOT when rootSet (see installation_root.h)
    bool systemSet = false;
    QString system;        // replaces ZT_SYSTEM when systemSet
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
