// vrexctl: shows an installation's configuration as the library's hosts see
// it and checks it. The library attaches to nothing (see registry_reload.h);
// every command works on a load of the installation chosen on the command
// line or by the environment.
#include "commands/commands.h"
#include "output/console_output.h"
#include "output/load_messages.h"
#include "cli/exit_codes.h"
#include "output/finding_output.h"
#include "cli/command_line.h"
#include "output/json_output.h"
#include "cli/installation_root.h"

#include "frame/config_root.h"

#include <QtCore/QCoreApplication>

#include <unistd.h>

using namespace vrexctl;

namespace {

int run(const ParsedCommandLine &parsed)
{
    switch (parsed.outcome) {
    case ParsedCommandLine::ShowHelp:
    case ParsedCommandLine::ShowVersion:
        writeOut(parsed.text);
        return ExitOk;
    case ParsedCommandLine::UsageError:
        reportError(parsed.text);
        writeErr(QStringLiteral("Try 'vrexctl --help' for more information.\n"));
        return ExitUsage;
    case ParsedCommandLine::Run:
        break;
    }

    const Invocation &invocation = parsed.invocation;
    routeDiagnostics(invocation.verbose);
    applyConfigurationRoot(invocation);
    setDiagnosticLabel(QStringLiteral("load of ") + vrex::configRoot());

    const QString missing = missingInstallation(invocation);
    if (!missing.isEmpty()) {
        if (invocation.command == QLatin1String("check")) {
            Finding finding;
            finding.place = {vrex::configRoot(), 0, 0};
            finding.code = QStringLiteral("installation-not-found");
            finding.message = missing;
            writeFindings(invocation, {finding}, {});
        } else if (invocation.json) {
            writeJson(QJsonObject{{QStringLiteral("schema"), 1}, {QStringLiteral("error"), missing}});
            reportError(missing);
        } else {
            reportError(missing);
        }
        return ExitNoInstallation;
    }

    if (invocation.command == QLatin1StringView("check"))
        return runCheck(invocation);
    reloadRegistries();
    if (invocation.command == QLatin1StringView("dump"))
        return runDump(invocation);
    if (invocation.command == QLatin1StringView("lookup"))
        return runLookup(invocation);
    return runStyles(invocation);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vrexctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VREXCTL_VERSION));

    const QByteArray noColor = qgetenv("NO_COLOR");
    const int code = run(parseCommandLine(QCoreApplication::arguments(), isatty(STDOUT_FILENO) == 1,
                                          !noColor.isEmpty()));
    const QString failure = outputFailure();
    if (!failure.isEmpty()) {
        reportError(QStringLiteral("cannot write the output: ") + failure);
        return ExitOutput;
    }
    return code;
}
