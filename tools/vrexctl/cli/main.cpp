// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl: shows an installation's configuration as the library's hosts see
// it and checks it. It links the library's core only: nothing is loaded
// behind its back, and every command works on the installation chosen on
// the command line or by the environment, loaded here.
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/installation_root.h"
#include "commands/commands.h"
#include "output/console_output.h"
#include "output/finding_output.h"
#include "output/json_output.h"
#include "output/load_messages.h"

#include "installation/installation.h"

#include <QtCore/QCoreApplication>

#include <unistd.h>

using namespace vrexctl;

namespace {

int reportMissing(const Invocation &invocation, const InstallationRoot &where, const QString &missing)
{
    if (invocation.command == QLatin1StringView("check")) {
        Finding finding;
        finding.place = {where.configRoot(), 0, 0};
        finding.code = QStringLiteral("installation-not-found");
        finding.message = missing;
        writeFindings(invocation, {finding}, {});
    } else if (invocation.json) {
        QJsonObject answer = jsonEnvelope(invocation.command);
        answer.insert(QStringLiteral("error"), missing);
        writeJson(answer);
        reportError(missing);
    } else {
        reportError(missing);
    }
    return ExitNoInstallation;
}

int runCommand(const Invocation &invocation, vrex::Installation &installation)
{
    const QString &command = invocation.command;
    if (command == QLatin1StringView("check"))
        return runCheck(invocation, installation);
    if (command == QLatin1StringView("dump"))
        return runDump(invocation, installation);
    if (command == QLatin1StringView("lookup"))
        return runLookup(invocation, installation);
    if (command == QLatin1StringView("names"))
        return runNames(invocation, installation);
    if (command == QLatin1StringView("graph"))
        return runGraph(invocation, installation);
    return runStyles(invocation, installation);
}

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
    if (invocation.command == QLatin1StringView("explain"))
        return runExplain(invocation);
    if (invocation.command == QLatin1StringView("help codes"))
        return runCodes(invocation);
    // diff reads the two installations its arguments name, not this one.
    if (invocation.command == QLatin1StringView("diff"))
        return runDiff(invocation);
    if (invocation.command == QLatin1StringView("lsp"))
        return runLsp(invocation);
    const InstallationRoot where = installationRoot(invocation);
    const QString missing = missingInstallation(where);
    if (!missing.isEmpty())
        return reportMissing(invocation, where, missing);

    vrex::Installation installation(where.root, where.system);
    const int code = runCommand(invocation, installation);
    writeLoadMessages(invocation, installation);
    return code;
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
