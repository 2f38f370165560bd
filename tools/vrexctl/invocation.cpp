#include "invocation.h"

#include <QtCore/QCommandLineParser>
#include <QtCore/QCoreApplication>

#include <algorithm>
#include <iterator>

namespace vrexctl {

namespace {

struct CommandSpec
{
    QLatin1StringView name;
    qsizetype minArguments;
    qsizetype maxArguments;
    QLatin1StringView usage;
};

constexpr CommandSpec kCommands[] = {
    {QLatin1StringView("dump"), 1, 1, QLatin1StringView("dump instances|devicetypes|complex|styles")},
    {QLatin1StringView("lookup"), 1, 2, QLatin1StringView("lookup INSTANCE [PARAMETER]")},
    {QLatin1StringView("styles"), 0, 1, QLatin1StringView("styles [NAME]")},
    {QLatin1StringView("check"), 0, 0, QLatin1StringView("check")},
};

constexpr QLatin1StringView kDumpKinds[] = {
    QLatin1StringView("instances"), QLatin1StringView("devicetypes"),
    QLatin1StringView("complex"), QLatin1StringView("styles"),
};

const CommandSpec *findCommand(const QString &name)
{
    for (const CommandSpec &spec : kCommands) {
        if (name == spec.name)
            return &spec;
    }
    return nullptr;
}

QString description()
{
    return QStringLiteral(
            "Shows an installation's instance catalogue and styles as a host process\n"
            "of the library sees them, and checks the configuration for problems.\n"
            "\n"
            "Commands:\n"
            "  dump instances|devicetypes|complex|styles   one registry as a table\n"
            "  lookup INSTANCE [PARAMETER]                 what a host's lookup returns;\n"
            "                                              redirections are shown hop by hop\n"
            "  styles [NAME]                               list the styles, or show one\n"
            "  check                                       load everything, report problems\n"
            "\n"
            "Exit status: 0 ok, 1 not found or problems found, 2 usage error.");
}

ParsedCommandLine usageError(const QString &message)
{
    ParsedCommandLine result;
    result.outcome = ParsedCommandLine::UsageError;
    result.text = message;
    return result;
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption helpOption = parser.addHelpOption();
    // Not addVersionOption(): that would take -v, which means verbose here.
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Print JSON instead of text."));
    const QCommandLineOption verboseOption(
            {QStringLiteral("v"), QStringLiteral("verbose")},
            QStringLiteral("Show the library's diagnostic lines on stderr."));
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Installation root (instead of ZT_ROOT)."),
                                        QStringLiteral("dir"));
    const QCommandLineOption systemOption(QStringLiteral("system"),
                                          QStringLiteral("System name (instead of ZT_SYSTEM)."),
                                          QStringLiteral("name"));
    parser.addOptions({versionOption, jsonOption, verboseOption, rootOption, systemOption});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do, see above."));
    parser.addPositionalArgument(QStringLiteral("arguments"), QStringLiteral("The command's arguments."),
                                 QStringLiteral("[arguments...]"));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    ParsedCommandLine result;
    if (parser.isSet(helpOption)) {
        result.outcome = ParsedCommandLine::ShowHelp;
        result.text = parser.helpText();
        // Qt names the program by the path it was started with.
        const qsizetype usageEnd = result.text.indexOf(QLatin1Char('\n'));
        const QString usage = result.text.left(usageEnd);
        result.text.replace(0, usage.size(),
                            QString(usage).replace(arguments.constFirst(), QStringLiteral("vrexctl")));
        return result;
    }
    if (parser.isSet(versionOption)) {
        result.outcome = ParsedCommandLine::ShowVersion;
        result.text = QCoreApplication::applicationName() + QLatin1Char(' ')
                + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return result;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given"));

    Invocation &invocation = result.invocation;
    invocation.command = positional.takeFirst();
    invocation.arguments = positional;
    invocation.json = parser.isSet(jsonOption);
    invocation.verbose = parser.isSet(verboseOption);
    invocation.rootSet = parser.isSet(rootOption);
    invocation.root = parser.value(rootOption);
    invocation.systemSet = parser.isSet(systemOption);
    invocation.system = parser.value(systemOption);

    const CommandSpec *spec = findCommand(invocation.command);
    if (!spec)
        return usageError(QStringLiteral("unknown command \"%1\"").arg(invocation.command));
    const qsizetype count = invocation.arguments.size();
    if (count < spec->minArguments || count > spec->maxArguments)
        return usageError(QStringLiteral("usage: vrexctl %1").arg(spec->usage));
    if (invocation.command == QLatin1StringView("dump")
        && std::find(std::begin(kDumpKinds), std::end(kDumpKinds), invocation.arguments.first())
                == std::end(kDumpKinds)) {
        return usageError(QStringLiteral("cannot dump \"%1\"; usage: vrexctl %2")
                                  .arg(invocation.arguments.first(), spec->usage));
    }
    return result;
}

} // namespace vrexctl
