// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl diff OLD NEW: what going from one installation to another does to
// the answers hosts get, then what changed in the registries.
#include "commands/commands.h"

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/installation_root.h"
#include "compare/installation_argument.h"
#include "compare/installation_diff.h"
#include "output/console_output.h"
#include "output/json_output.h"
#include "output/load_messages.h"

namespace vrexctl {

int runDiff(const Invocation &invocation)
{
    const bool json = invocation.json || invocation.format == QLatin1StringView("json");
    // --system (or ZT_SYSTEM) picks the installation below a root on either side.
    const QString system = installationRoot(invocation).system;
    InstallationArgument before = openInstallationArgument(invocation.arguments.at(0), system);
    InstallationArgument after = openInstallationArgument(invocation.arguments.at(1), system);
    for (const InstallationArgument *side : {&before, &after}) {
        if (side->error.isEmpty())
            continue;
        if (json) {
            writeJson(QJsonObject{{QStringLiteral("schema"), kJsonSchema},
                                  {QStringLiteral("command"), QStringLiteral("diff")},
                                  {QStringLiteral("error"), side->error}});
        }
        reportError(side->error);
        return ExitNoInstallation;
    }

    before.installation.load();
    after.installation.load();
    const ComparedInstallation beforeSide(before.installation);
    const ComparedInstallation afterSide(after.installation);
    InstallationDiff diff = compareInstallations(beforeSide, afterSide);
    // Only now: writing the messages forgets the files that failed.
    writeLoadMessages(invocation, before.installation, before.argument);
    writeLoadMessages(invocation, after.installation, after.argument);
    diff.beforeLabel = before.argument;
    diff.afterLabel = after.argument;
    if (json)
        writeJson(diffJson(diff));
    else
        writeOut(diffText(diff, invocation.color));
    if (!invocation.quiet)
        writeErr(QStringLiteral("vrexctl: ") + diffSummary(diff) + QLatin1Char('\n'));
    return diff.differs() ? ExitProblem : ExitOk;
}

} // namespace vrexctl
