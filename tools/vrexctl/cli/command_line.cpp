// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "cli/command_line.h"

#include "checks/name_suggestion.h"
#include "output/json_output.h"

#include <QtCore/QCommandLineParser>
#include <QtCore/QCoreApplication>

#include <algorithm>
#include <iterator>
#include <limits>

namespace vrexctl {

namespace {

struct CommandEntry
{
    QLatin1StringView name;
    qsizetype minArguments;
    qsizetype maxArguments;
    QLatin1StringView usage;
    QLatin1StringView summary;
    QLatin1StringView help;
};

constexpr qsizetype kAnyNumber = std::numeric_limits<qsizetype>::max();

constexpr CommandEntry kCommands[] = {
    {QLatin1StringView("dump"), 1, 1, QLatin1StringView("dump instances|devicetypes|complex|styles"),
     QLatin1StringView("one registry as a table"),
     QLatin1StringView("Prints one registry as the library holds it after loading, in key order:\n"
                       "instances, devicetypes (keys lower-cased), complex (one row per\n"
                       "redirection) or styles. --json prints {\"schema\", \"command\", \"registry\",\n"
                       "\"entries\": [...]}. Files that failed to load are named on stderr; then the\n"
                       "exit status is 5.\n")},
    {QLatin1StringView("lookup"), 1, 2, QLatin1StringView("lookup INSTANCE [PARAMETER]"),
     QLatin1StringView("what a host's lookup returns; redirections hop by hop"),
     QLatin1StringView("Without PARAMETER: the instance's numbers, type, complex type and groups.\n"
                       "With PARAMETER: device, offset, slot and driver type as the library's\n"
                       "lookup returns them, after the redirection hops that lead there.\n"
                       "Exit status 1 when the instance or parameter does not resolve, 5 when a\n"
                       "file the answer depends on failed to load (each such file is named on stderr).\n")},
    {QLatin1StringView("styles"), 0, 1, QLatin1StringView("styles [NAME]"),
     QLatin1StringView("list the styles, or show one"),
     QLatin1StringView("Without NAME: every style with its type and number of settings.\n"
                       "With NAME: the style's fields and settings. Exit status 1 when there is\n"
                       "no such style.\n")},
    {QLatin1StringView("check"), 0, 0, QLatin1StringView("check"),
     QLatin1StringView("report every mistake in the configuration"),
     QLatin1StringView("Reads every configuration file and reports, one line each,\n"
                       "  PATH:LINE:COLUMN: SEVERITY: MESSAGE [CODE]\n"
                       "what will not resolve (error), what the library silently reads other\n"
                       "than the file seems to say (warning), and related places (note). A\n"
                       "summary goes to stderr. 'vrexctl help codes' lists the codes,\n"
                       "'vrexctl explain CODE' tells about one.\n"
                       "\n"
                       "  --fail-on=error          warnings alone exit 0\n"
                       "  --max-problems N         list at most N problems (default 200, 0 = all)\n"
                       "  --color=WHEN             auto (default), always or never\n"
                       "  --format=FORMAT          text, json, sarif, github or gitlab\n"
                       "  --config FILE            instead of ROOT/SYSTEM/.vrexctl.ini\n"
                       "  --no-config              read no configuration file\n"
                       "  --baseline FILE          report only findings not in FILE\n"
                       "  --write-baseline FILE    record the findings in FILE\n"
                       "  --show-suppressed        list suppressed findings too\n"
                       "  --diff                   print the safe fixes as a unified diff\n"
                       "  --fix                    apply the safe fixes, then check again\n"
                       "\n"
                       "A comment <!-- vrexctl: disable=CODE,... --> suppresses codes on the\n"
                       "next element, <!-- vrexctl: disable-file=CODE,... --> in its file.\n"
                       "\n"
                       "Exit status: 0 nothing found, 1 problems found, 2 usage error or a\n"
                       "baseline that cannot be read or written, 3 installation not found.\n")},
    {QLatin1StringView("explain"), 1, 1, QLatin1StringView("explain CODE"),
     QLatin1StringView("what a finding code means and how to fix it"),
     QLatin1StringView("Prints what the finding code means, what the library does in that case,\n"
                       "an example and the fix. Needs no installation. 'vrexctl help codes'\n"
                       "lists every code. Exit status 1 when there is no such code.\n")},
    {QLatin1StringView("names"), 1, 2, QLatin1StringView("names KIND [INSTANCE]"),
     QLatin1StringView("names of one kind, one per line, for scripts"),
     QLatin1StringView("Prints the names of one kind, one per line in key order, for scripts and\n"
                       "shell completion. KIND is one of:\n"
                       "  instances             the instances\n"
                       "  devicetypes           the device types, as registered (lower case)\n"
                       "  complextypes          the complex types\n"
                       "  styles                the styles\n"
                       "  params INSTANCE       the parameters of INSTANCE's device type\n"
                       "Only the files the kind needs are read. Control characters in names are\n"
                       "written as escapes (\\n, \\t, \\x1b). --json prints {\"schema\": 2, \"command\":\n"
                       "\"names\", \"kind\", \"names\": [...]}. Exit status 1 when INSTANCE is not known,\n"
                       "5 when a file the names depend on failed to load.\n")},
    {QLatin1StringView("diff"), 2, 2, QLatin1StringView("diff OLD NEW"),
     QLatin1StringView("what a change does to the addresses hosts resolve"),
     QLatin1StringView("Compares two installations. First the address impact: every instance and\n"
                       "every parameter of its device type resolved on both sides as lookup\n"
                       "resolves it, each answer that differs with the file and element that\n"
                       "changed it; then what the registries hold differently, field by field.\n"
                       "Formatting, attribute order and comments change nothing. Files either\n"
                       "side cannot take are listed first: what follows them is partial.\n"
                       "\n"
                       "OLD and NEW are each a directory holding config/ (or a root holding\n"
                       "SYSTEM/config, with --system), or a git revision of the repository in\n"
                       "the current directory: REV is this directory as it is at REV, REV:PATH\n"
                       "a directory as git reads it. The work tree is not touched.\n"
                       "\n"
                       "  --format=text|json  text (default) or one JSON document (as --json)\n"
                       "  --color=WHEN        auto (default), always or never\n"
                       "\n"
                       "Exit status: 0 no differences, 1 differences, 2 usage error,\n"
                       "3 an installation cannot be read.\n")},
    {QLatin1StringView("graph"), 0, kAnyNumber, QLatin1StringView("graph [NAME...]"),
     QLatin1StringView("redirections and composites as a Graphviz graph"),
     QLatin1StringView("Writes the redirection chains, complex types and composite groups as a\n"
                       "Graphviz graph: instances as boxes with their type, device/offset and\n"
                       "complex type, redirections as edges labelled with the parameters,\n"
                       "composites as clusters around the members of their groups. Cycles,\n"
                       "targets that are not there and chains that break are drawn in red.\n"
                       "Without NAME: every instance that redirects, is redirected to or is in\n"
                       "a composite. With NAMEs: those instances, what they reach and what\n"
                       "reaches them.\n"
                       "\n"
                       "  --format=dot|svg|png  DOT (default), or drawn by Graphviz's dot\n"
                       "  --depth N             at most N edges away from the named instances\n"
                       "\n"
                       "Exit status 1 when a NAME is no instance, or when dot is not installed\n"
                       "or fails.\n")},
    {QLatin1StringView("lsp"), 0, 0, QLatin1StringView("lsp"),
     QLatin1StringView("language server for editors, on stdin and stdout"),
     QLatin1StringView("Speaks the Language Server Protocol 3.17 on stdin and stdout for an editor:\n"
                       "the check's findings as diagnostics while files are edited (unsaved\n"
                       "buffers count), quick fixes for its suggestions, hover (instances,\n"
                       "resolved redirection chains, styles), go to definition, references and\n"
                       "completion. The installation is the directory holding config/ that\n"
                       "the workspace folder or the first opened file is in, unless --root or\n"
                       "--system name one. The README shows how to set it up in editors.\n"
                       "\n"
                       "Exit status: 0 after shutdown and exit, 1 after exit without shutdown\n"
                       "or when the client closes stdin, 3 installation not found.\n")},
};

constexpr QLatin1StringView kDumpKinds[] = {
    QLatin1StringView("instances"), QLatin1StringView("devicetypes"),
    QLatin1StringView("complex"), QLatin1StringView("styles"),
};

// What names lists; "params" alone takes an instance.
constexpr QLatin1StringView kNameKinds[] = {
    QLatin1StringView("instances"), QLatin1StringView("devicetypes"), QLatin1StringView("complextypes"),
    QLatin1StringView("styles"), QLatin1StringView("params"),
};
constexpr QLatin1StringView kNamesOfInstance("params");

bool isOneOf(const QString &word, const QLatin1StringView *begin, const QLatin1StringView *end)
{
    return std::find(begin, end, word) != end;
}

const CommandEntry *findCommand(const QString &name)
{
    for (const CommandEntry &entry : kCommands) {
        if (name == entry.name)
            return &entry;
    }
    return nullptr;
}

QStringList commandNames()
{
    QStringList names;
    for (const CommandEntry &entry : kCommands)
        names.append(entry.name);
    return names;
}

QString description()
{
    QString text = QStringLiteral(
            "Shows an installation's instance catalogue and styles as a host process\n"
            "of the library sees them, checks the configuration for mistakes, compares\n"
            "two installations and draws their redirections.\n"
            "\n"
            "Commands:\n");
    for (const CommandEntry &entry : kCommands)
        text += QStringLiteral("  %1%2\n").arg(QString(entry.usage).leftJustified(44), entry.summary);
    text += QStringLiteral(
            "\n"
            "'vrexctl help COMMAND' or 'vrexctl COMMAND --help' tells more;\n"
            "'vrexctl help codes' lists the check's finding codes.\n"
            "Without --root and --system the installation is ZT_ROOT/ZT_SYSTEM.\n"
            "\n"
            "Exit status: 0 ok, 1 not found, problems or differences found, 2 usage\n"
            "error, 3 installation not found or unreadable, 4 output could not be written,\n"
            "5 answer incomplete: a file it depends on failed to load.");
    return text;
}

QString commandHelp(const CommandEntry &entry)
{
    return QStringLiteral("Usage: vrexctl [options] %1\n\n%2\nOptions: see 'vrexctl --help'.\n")
            .arg(entry.usage, entry.help);
}

ParsedCommandLine usageError(const QString &message)
{
    ParsedCommandLine result;
    result.outcome = ParsedCommandLine::UsageError;
    result.text = message;
    return result;
}

ParsedCommandLine showHelp(const QString &text)
{
    ParsedCommandLine result;
    result.outcome = ParsedCommandLine::ShowHelp;
    result.text = text;
    return result;
}

QString unknownCommand(const QString &name)
{
    QString message = QStringLiteral("unknown command \"%1\"").arg(name);
    const QStringList suggestions = suggestNames(name, commandNames());
    if (!suggestions.isEmpty())
        message += QStringLiteral("; ") + didYouMean(suggestions, QLatin1Char('"'));
    return message;
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList &arguments, bool stdoutIsTerminal, bool noColor)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    // Not addHelpOption()/addVersionOption(): help is per command here, and
    // -v means verbose.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays help; after a command, the command's."));
    const QCommandLineOption helpAllOption(QStringLiteral("help-all"),
                                           QStringLiteral("Displays help on every command."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Print JSON (schema 2) instead of text."));
    const QCommandLineOption verboseOption(
            {QStringLiteral("v"), QStringLiteral("verbose")},
            QStringLiteral("Show the library's diagnostic lines on stderr, one per line."));
    const QCommandLineOption quietOption({QStringLiteral("q"), QStringLiteral("quiet")},
                                         QStringLiteral("No summary line on stderr."));
    const QCommandLineOption colorOption(QStringLiteral("color"),
                                         QStringLiteral("Colour the check's output: auto, always or never."),
                                         QStringLiteral("when"), QStringLiteral("auto"));
    const QCommandLineOption failOnOption(QStringLiteral("fail-on"),
                                          QStringLiteral("check: exit 1 on 'warning' (default) or only on 'error'."),
                                          QStringLiteral("severity"), QStringLiteral("warning"));
    const QCommandLineOption maxProblemsOption(
            QStringLiteral("max-problems"),
            QStringLiteral("check: list at most N problems (default 200, 0 = all)."), QStringLiteral("N"),
            QStringLiteral("200"));
    const QCommandLineOption depthOption(
            QStringLiteral("depth"), QStringLiteral("graph: at most N edges from the named instances."),
            QStringLiteral("N"));
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Installation root (instead of ZT_ROOT)."),
                                        QStringLiteral("dir"));
    const QCommandLineOption systemOption(QStringLiteral("system"),
                                          QStringLiteral("System name (instead of ZT_SYSTEM)."),
                                          QStringLiteral("name"));
    const QCommandLineOption formatOption(
            QStringLiteral("format"),
            QStringLiteral("Output: text or json; check also sarif, github or gitlab; graph dot, svg or png."),
            QStringLiteral("format"),
            QStringLiteral("text"));
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("check: the configuration file to read."),
                                          QStringLiteral("file"));
    const QCommandLineOption noConfigOption(QStringLiteral("no-config"),
                                            QStringLiteral("check: read no configuration file."));
    const QCommandLineOption baselineOption(QStringLiteral("baseline"),
                                            QStringLiteral("check: report only findings not in this baseline."),
                                            QStringLiteral("file"));
    const QCommandLineOption writeBaselineOption(QStringLiteral("write-baseline"),
                                                 QStringLiteral("check: record the findings as a baseline."),
                                                 QStringLiteral("file"));
    const QCommandLineOption showSuppressedOption(QStringLiteral("show-suppressed"),
                                                  QStringLiteral("check: list suppressed findings too."));
    const QCommandLineOption diffOption(QStringLiteral("diff"),
                                        QStringLiteral("check: print the safe fixes as a unified diff."));
    const QCommandLineOption fixOption(QStringLiteral("fix"),
                                       QStringLiteral("check: apply the safe fixes, then check again."));
    parser.addOptions({helpOption, helpAllOption, versionOption, jsonOption, formatOption, verboseOption,
                       quietOption, colorOption, failOnOption, maxProblemsOption, rootOption, systemOption,
                       configOption, noConfigOption, baselineOption, writeBaselineOption, showSuppressedOption,
                       diffOption, fixOption, depthOption});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do, see above."));
    parser.addPositionalArgument(QStringLiteral("arguments"), QStringLiteral("The command's arguments."),
                                 QStringLiteral("[arguments...]"));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    QString generalHelp = parser.helpText();
    {
        // Qt names the program by the path it was started with.
        const qsizetype usageEnd = generalHelp.indexOf(QLatin1Char('\n'));
        const QString usage = generalHelp.left(usageEnd);
        generalHelp.replace(0, usage.size(), QString(usage).replace(arguments.constFirst(), QStringLiteral("vrexctl")));
    }
    QStringList positional = parser.positionalArguments();

    if (parser.isSet(helpAllOption)) {
        QString text = generalHelp;
        for (const CommandEntry &entry : kCommands)
            text += QLatin1Char('\n') + commandHelp(entry);
        return showHelp(text);
    }
    // "help [COMMAND]" and "COMMAND --help".
    const bool helpCommand = !positional.isEmpty() && positional.constFirst() == QLatin1String("help");
    if (helpCommand || parser.isSet(helpOption)) {
        if (helpCommand)
            positional.removeFirst();
        if (positional.isEmpty())
            return showHelp(generalHelp);
        if (helpCommand && positional == QStringList{QStringLiteral("codes")}) {
            ParsedCommandLine result;
            result.invocation.command = QStringLiteral("help codes");
            result.invocation.json = parser.isSet(jsonOption);
            return result;
        }
        const CommandEntry *entry = findCommand(positional.constFirst());
        if (!entry)
            return usageError(unknownCommand(positional.constFirst()));
        return showHelp(commandHelp(*entry));
    }
    if (parser.isSet(versionOption)) {
        ParsedCommandLine result;
        result.outcome = ParsedCommandLine::ShowVersion;
        if (parser.isSet(jsonOption)) {
            QJsonObject answer = jsonEnvelope(QStringLiteral("version"));
            answer.insert(QStringLiteral("name"), QCoreApplication::applicationName());
            answer.insert(QStringLiteral("version"), QCoreApplication::applicationVersion());
            result.text = QString::fromUtf8(jsonText(answer));
        } else {
            result.text = QCoreApplication::applicationName() + QLatin1Char(' ')
                    + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        }
        return result;
    }

    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given"));

    ParsedCommandLine result;
    Invocation &invocation = result.invocation;
    invocation.command = positional.takeFirst();
    invocation.arguments = positional;
    invocation.format = parser.value(formatOption);
    if (parser.isSet(jsonOption)) {
        if (parser.isSet(formatOption) && invocation.format != QLatin1String("json"))
            return usageError(QStringLiteral("--json is --format=json; give one of them"));
        invocation.format = QStringLiteral("json");
    }
    invocation.json = invocation.format == QLatin1String("json");
    invocation.verbose = parser.isSet(verboseOption);
    invocation.quiet = parser.isSet(quietOption);
    invocation.rootSet = parser.isSet(rootOption);
    invocation.root = parser.value(rootOption);
    invocation.systemSet = parser.isSet(systemOption);
    invocation.system = parser.value(systemOption);

    const QString color = parser.value(colorOption);
    if (color == QLatin1String("always"))
        invocation.color = true;
    else if (color == QLatin1String("auto"))
        invocation.color = stdoutIsTerminal && !noColor;
    else if (color != QLatin1String("never"))
        return usageError(QStringLiteral("--color takes auto, always or never, not \"%1\"").arg(color));

    const QString failOn = parser.value(failOnOption);
    if (failOn != QLatin1String("error") && failOn != QLatin1String("warning"))
        return usageError(QStringLiteral("--fail-on takes error or warning, not \"%1\"").arg(failOn));
    invocation.failOnErrorOnly = failOn == QLatin1String("error");
    invocation.failOnSet = parser.isSet(failOnOption);
    invocation.configFile = parser.value(configOption);
    invocation.noConfig = parser.isSet(noConfigOption);
    invocation.baseline = parser.value(baselineOption);
    invocation.writeBaseline = parser.value(writeBaselineOption);
    invocation.showSuppressed = parser.isSet(showSuppressedOption);
    invocation.diff = parser.isSet(diffOption);
    invocation.fix = parser.isSet(fixOption);

    bool ok = false;
    invocation.maxProblems = parser.value(maxProblemsOption).toInt(&ok);
    if (!ok || invocation.maxProblems < 0) {
        return usageError(QStringLiteral("--max-problems takes a number, 0 or more, not \"%1\"")
                                  .arg(parser.value(maxProblemsOption)));
    }

    const CommandEntry *entry = findCommand(invocation.command);
    if (!entry)
        return usageError(unknownCommand(invocation.command));
    const bool check = invocation.command == QLatin1StringView("check");
    const bool diff = invocation.command == QLatin1StringView("diff");
    const bool graph = invocation.command == QLatin1StringView("graph");
    // A graph is drawn, not printed: DOT unless another format is asked for.
    if (graph && !parser.isSet(formatOption) && !parser.isSet(jsonOption))
        invocation.format = QStringLiteral("dot");
    const QStringList formats = check ? QStringList{QStringLiteral("text"), QStringLiteral("json"),
                                                    QStringLiteral("sarif"), QStringLiteral("github"),
                                                    QStringLiteral("gitlab")}
            : graph ? QStringList{QStringLiteral("dot"), QStringLiteral("svg"), QStringLiteral("png")}
                    : QStringList{QStringLiteral("text"), QStringLiteral("json")};
    if (!formats.contains(invocation.format)) {
        return usageError(QStringLiteral("%1 prints %2, not \"%3\"")
                                  .arg(invocation.command, formats.join(QStringLiteral(", ")), invocation.format));
    }
    for (const QCommandLineOption *option : {&configOption, &noConfigOption, &baselineOption, &writeBaselineOption,
                                             &showSuppressedOption, &diffOption, &fixOption}) {
        if (!check && parser.isSet(*option))
            return usageError(QStringLiteral("--%1 is an option of check").arg(option->names().constFirst()));
    }
    if (int(invocation.diff) + int(invocation.fix) + int(!invocation.writeBaseline.isEmpty()) > 1)
        return usageError(QStringLiteral("--diff, --fix and --write-baseline go one at a time"));
    if (invocation.diff && invocation.format != QLatin1String("text"))
        return usageError(QStringLiteral("--diff prints a diff, in no --format"));
    if (invocation.noConfig && !invocation.configFile.isEmpty())
        return usageError(QStringLiteral("--config and --no-config go one at a time"));
    const qsizetype count = invocation.arguments.size();
    if (count < entry->minArguments || count > entry->maxArguments)
        return usageError(QStringLiteral("usage: vrexctl %1").arg(entry->usage));
    if (invocation.command == QLatin1StringView("dump")
        && !isOneOf(invocation.arguments.first(), std::begin(kDumpKinds), std::end(kDumpKinds))) {
        return usageError(QStringLiteral("cannot dump \"%1\"; usage: vrexctl %2")
                                  .arg(invocation.arguments.first(), entry->usage));
    }
    if (invocation.command == QLatin1StringView("names")) {
        const QString &kind = invocation.arguments.first();
        if (!isOneOf(kind, std::begin(kNameKinds), std::end(kNameKinds))) {
            return usageError(QStringLiteral("cannot list \"%1\"; KIND is instances, devicetypes, "
                                             "complextypes, styles or params INSTANCE")
                                      .arg(kind));
        }
        if ((kind == kNamesOfInstance) != (count == 2))
            return usageError(QStringLiteral("usage: vrexctl names KIND, or vrexctl names params INSTANCE"));
    }

    if (parser.isSet(depthOption)) {
        if (!graph)
            return usageError(QStringLiteral("--depth applies to graph only"));
        invocation.depth = parser.value(depthOption).toInt(&ok);
        if (!ok || invocation.depth < 0)
            return usageError(QStringLiteral("--depth takes a number, 0 or more, not \"%1\"").arg(parser.value(depthOption)));
    }
    if (diff && invocation.rootSet) {
        return usageError(QStringLiteral("diff reads the installations its arguments name; --root does not apply "
                                         "(--system picks the system below a root)"));
    }
    if (graph && invocation.format == QLatin1StringView("png") && stdoutIsTerminal)
        return usageError(QStringLiteral("a PNG is no text for a terminal; redirect the output to a file"));
    return result;
}

} // namespace vrexctl
