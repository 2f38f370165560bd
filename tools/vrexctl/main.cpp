// vrexctl: shows an installation's configuration as the library's hosts see
// it. The library has already loaded whatever ZT_ROOT/ZT_SYSTEM named when
// this process started; every command works on a fresh load of the
// installation chosen on the command line instead.
#include "commands.h"
#include "console_output.h"
#include "diagnostics_routing.h"
#include "exit_codes.h"
#include "invocation.h"
#include "registry_reload.h"

#include <QtCore/QCoreApplication>

using namespace vrexctl;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vrexctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VREXCTL_VERSION));

    const ParsedCommandLine parsed = parseCommandLine(QCoreApplication::arguments());
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

    QVector<Diagnostic> loadDiagnostics;
    {
        DiagnosticRecorder recorder;
        reloadRegistries();
        loadDiagnostics = recorder.diagnostics();
    }

    if (invocation.command == QLatin1StringView("dump"))
        return runDump(invocation);
    if (invocation.command == QLatin1StringView("lookup"))
        return runLookup(invocation);
    if (invocation.command == QLatin1StringView("styles"))
        return runStyles(invocation);
    return runCheck(invocation, loadDiagnostics);
}
