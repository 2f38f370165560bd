// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl check: the configuration and baseline chosen, one check, then
// its report, a baseline written, or its safe fixes shown or applied.
#include "commands/commands.h"

#include "checks/check_run.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/installation_root.h"
#include "fixes/text_fixes.h"
#include "output/console_output.h"
#include "output/finding_output.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QSaveFile>

namespace vrexctl {

namespace {

QString plural(qsizetype count, const char *word)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(word), count == 1 ? QString() : QStringLiteral("s"));
}

int writeBaseline(const Invocation &invocation, const CheckRun &run)
{
    QSaveFile file(invocation.writeBaseline);
    const QByteArray json = baselineJson(run.entries);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        reportError(QStringLiteral("cannot write the baseline '%1': %2").arg(invocation.writeBaseline, file.errorString()));
        return ExitUsage;
    }
    if (!invocation.quiet) {
        const int recorded = int(run.entries.size()) - run.count(ReportEntry::SuppressedByComment);
        writeErr(QStringLiteral("vrexctl: %1 recorded in %2\n")
                         .arg(plural(recorded, "finding"), invocation.writeBaseline));
    }
    return ExitOk;
}

qsizetype editCount(const QList<FileFix> &fixes)
{
    qsizetype count = 0;
    for (const FileFix &fix : fixes)
        count += fix.edits.size();
    return count;
}

} // namespace

int runCheck(const Invocation &invocation, vrex::Installation &installation)
{
    const QString root = installationRoot(invocation).root;
    CheckOptions options;
    if (!invocation.noConfig) {
        const bool named = !invocation.configFile.isEmpty();
        options.config = readCheckConfig(named ? invocation.configFile
                                               : vrex::layout::path(installation.configRoot(), kCheckConfigFile),
                                         named);
    }
    const QString baseline = invocation.baseline.isEmpty() ? options.config.baseline : invocation.baseline;
    if (!baseline.isEmpty() && invocation.writeBaseline.isEmpty()) {
        QString error;
        if (!readBaseline(baseline, options.baseline, error)) {
            reportError(QStringLiteral("cannot read the baseline '%1': %2").arg(baseline, error));
            return ExitUsage;
        }
        options.useBaseline = true;
    }
    options.subjects = options.useBaseline || !invocation.writeBaseline.isEmpty()
            || invocation.format == QLatin1String("sarif") || invocation.format == QLatin1String("gitlab");
    options.fixes = invocation.diff || invocation.fix;
    // The text and JSON reports list the first --max-problems; the formats
    // for CI list everything; a baseline keeps no suggestions.
    const bool listsAll = !invocation.json && invocation.format != QLatin1String("text");
    options.suggested = !invocation.writeBaseline.isEmpty() ? 0
            : listsAll || invocation.maxProblems == 0    ? -1
                                                          : invocation.maxProblems;
    const ReportContext context{root, options.useBaseline ? baseline : QString(),
                                invocation.failOnSet ? invocation.failOnErrorOnly
                                                     : options.config.failOnErrorOnly.value_or(false)};

    CheckRun run = runCheck(installation, root, options);
    if (!invocation.writeBaseline.isEmpty())
        return writeBaseline(invocation, run);
    if (!invocation.diff && !invocation.fix)
        return writeReport(invocation, run, context);

    const QList<FileFix> fixes = planFixes(run);
    if (invocation.diff) {
        writeOut(unifiedDiff(fixes));
        if (!invocation.quiet) {
            const qsizetype count = editCount(fixes);
            writeErr(QStringLiteral("vrexctl: %1 safe %2 in %3; --fix applies them\n")
                             .arg(count)
                             .arg(count == 1 ? QStringLiteral("fix") : QStringLiteral("fixes"),
                                  plural(fixes.size(), "file")));
        }
        return exitCodeOf(run, context.failOnErrorOnly);
    }
    qsizetype fixed = 0, files = 0;
    for (const FileFix &fix : fixes) {
        QString error;
        if (writeFixedFile(fix, error)) {
            fixed += fix.edits.size();
            ++files;
        } else {
            reportError(QStringLiteral("cannot fix '%1': %2").arg(fix.path, error));
        }
    }
    if (!invocation.quiet)
        writeErr(QStringLiteral("vrexctl: fixed %1 in %2\n").arg(plural(fixed, "problem"), plural(files, "file")));
    // What remains, as the files now are.
    vrex::Installation fixedInstallation = vrex::Installation::atConfigRoot(installation.configRoot());
    options.fixes = false;
    return writeReport(invocation, runCheck(fixedInstallation, root, options), context);
}

} // namespace vrexctl
