// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/finding_output.h"

#include "cli/command_line.h"
#include "checks/name_suggestion.h"
#include "cli/exit_codes.h"
#include "output/ci_formats.h"
#include "output/console_output.h"
#include "output/json_output.h"
#include "output/table_output.h"

#include <QtCore/QJsonArray>
#include <QtCore/QMap>

namespace vrexctl {

namespace {

QString colored(const QString &text, const char *sgr, bool color)
{
    if (!color)
        return text;
    return QStringLiteral("\x1b[%1m").arg(QLatin1String(sgr)) + text + QStringLiteral("\x1b[0m");
}

const char *severityColor(Finding::Severity severity)
{
    switch (severity) {
    case Finding::Error: return "1;31";
    case Finding::Warning: return "1;35";
    case Finding::Note: break;
    }
    return "1;36";
}

QString placeText(const Place &place)
{
    QString text = escapeControlCharacters(place.file);
    if (place.line > 0)
        text += QStringLiteral(":%1:%2").arg(place.line).arg(place.column);
    return text;
}

QString lineOf(const Place &place, Finding::Severity severity, const QString &message, const QString &code,
               bool color)
{
    return colored(placeText(place) + QLatin1Char(':'), "1", color) + QLatin1Char(' ')
            + colored(severityWord(severity) + QLatin1Char(':'), severityColor(severity), color)
            + QLatin1Char(' ') + escapeControlCharacters(message) + QStringLiteral(" [") + code
            + QStringLiteral("]\n");
}

QString findingText(const Finding &finding, bool color, const QString &suppressed = QString())
{
    QString message = finding.message;
    if (!finding.suggestions.isEmpty())
        message += QStringLiteral("; ") + didYouMean(finding.suggestions);
    if (!suppressed.isNull()) {
        // Not in the compiler's form, so that annotators pass it over.
        return colored(placeText(finding.place) + QLatin1Char(':'), "1", color)
                + QStringLiteral(" suppressed %1: %2 [%3] (%4)\n")
                          .arg(severityWord(finding.severity), escapeControlCharacters(message), finding.code,
                               suppressed);
    }
    QString text = lineOf(finding.place, finding.severity, message, finding.code, color);
    for (const RelatedPlace &related : finding.related)
        text += lineOf(related.place, Finding::Note, related.message, finding.code, color);
    return text;
}

// A finding about a file or directory as a whole has no line or column.
QJsonObject placeJson(const Place &place)
{
    const bool whole = place.line <= 0;
    return {{QStringLiteral("file"), place.file},
            {QStringLiteral("line"), whole ? QJsonValue() : QJsonValue(place.line)},
            {QStringLiteral("column"), whole ? QJsonValue() : QJsonValue(place.column)}};
}

QString plural(qsizetype count, const char *word)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(word), count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

QJsonObject findingJson(const Finding &finding)
{
    QJsonObject object = placeJson(finding.place);
    object.insert(QStringLiteral("severity"), severityWord(finding.severity));
    object.insert(QStringLiteral("code"), finding.code);
    object.insert(QStringLiteral("message"), finding.message);
    if (!finding.suggestions.isEmpty())
        object.insert(QStringLiteral("suggestion"), QJsonArray::fromStringList(finding.suggestions));
    QJsonArray related;
    for (const RelatedPlace &place : finding.related) {
        QJsonObject entry = placeJson(place.place);
        entry.insert(QStringLiteral("message"), place.message);
        related.append(entry);
    }
    object.insert(QStringLiteral("related"), related);
    return object;
}

static QString suppressionText(const ReportEntry &entry)
{
    if (entry.state == ReportEntry::InBaseline)
        return QStringLiteral("in the baseline");
    return QStringLiteral("by the comment at %1:%2").arg(entry.suppressedBy.line).arg(entry.suppressedBy.column);
}

static QJsonObject entryJson(const ReportEntry &entry, const ReportContext &context)
{
    QJsonObject object = findingJson(entry.finding);
    if (!entry.subject.isEmpty())
        object.insert(QStringLiteral("subject"), entry.subject);
    if (entry.state == ReportEntry::SuppressedByComment) {
        QJsonObject by = placeJson(entry.suppressedBy);
        by.insert(QStringLiteral("kind"), QStringLiteral("comment"));
        object.insert(QStringLiteral("suppression"), by);
    } else if (entry.state == ReportEntry::InBaseline) {
        object.insert(QStringLiteral("suppression"),
                      QJsonObject{{QStringLiteral("kind"), QStringLiteral("baseline")},
                                  {QStringLiteral("file"), context.baselineFile}});
    }
    return object;
}

int writeFindings(const Invocation &invocation, const QList<Finding> &findings, const RegistryCounts &counts)
{
    CheckRun run;
    run.counts = counts;
    for (const Finding &finding : findings)
        run.entries.append({finding, ReportEntry::Active, {}, {}, {}, 0, {}});
    return writeReport(invocation, run, {QString(), QString(), invocation.failOnErrorOnly});
}

int writeReport(const Invocation &invocation, const CheckRun &run, const ReportContext &context)
{
    const RegistryCounts &counts = run.counts;
    QList<const ReportEntry *> active, suppressed;
    qsizetype perSeverity[3] = {0, 0, 0};
    for (const ReportEntry &entry : run.entries) {
        if (entry.state == ReportEntry::Active) {
            active.append(&entry);
            ++perSeverity[entry.finding.severity];
        } else if (invocation.showSuppressed) {
            suppressed.append(&entry);
        }
    }
    const int byComment = run.count(ReportEntry::SuppressedByComment);
    const int inBaseline = run.count(ReportEntry::InBaseline);
    // The formats for CI list everything: a cut there would pass unseen.
    const bool machine = !invocation.json && invocation.format != QLatin1String("text");
    const qsizetype listed = invocation.maxProblems > 0 && !machine
            ? std::min<qsizetype>(invocation.maxProblems, active.size())
            : active.size();
    QMap<QString, int> omitted;
    for (qsizetype i = listed; i < active.size(); ++i)
        ++omitted[active.at(i)->finding.code];

    if (machine) {
        writeCiFormat(invocation.format, run, context);
    } else if (invocation.json) {
        QJsonArray problems;
        for (qsizetype i = 0; i < listed; ++i)
            problems.append(entryJson(*active.at(i), context));
        for (const ReportEntry *entry : std::as_const(suppressed))
            problems.append(entryJson(*entry, context));
        QJsonObject document = jsonEnvelope(invocation.command);
        document.insert(QStringLiteral("counts"),
                        QJsonObject{{QStringLiteral("error"), perSeverity[Finding::Error]},
                                    {QStringLiteral("warning"), perSeverity[Finding::Warning]},
                                    {QStringLiteral("note"), perSeverity[Finding::Note]},
                                    {QStringLiteral("suppressed"), byComment},
                                    {QStringLiteral("baseline"), inBaseline}});
        document.insert(QStringLiteral("registries"),
                        QJsonObject{{QStringLiteral("styles"), counts.styles},
                                    {QStringLiteral("instances"), counts.instances},
                                    {QStringLiteral("devicetypes"), counts.deviceTypes},
                                    {QStringLiteral("complextypes"), counts.complexTypes},
                                    {QStringLiteral("redirections"), counts.redirections}});
        document.insert(QStringLiteral("problems"), problems);
        if (!omitted.isEmpty()) {
            QJsonObject cut;
            for (auto it = omitted.cbegin(); it != omitted.cend(); ++it)
                cut.insert(it.key(), it.value());
            document.insert(QStringLiteral("omitted"), cut);
        }
        if (!context.baselineFile.isEmpty()) {
            QJsonArray fixed;
            for (const BaselineEntry &entry : run.fixedBaseline) {
                fixed.append(QJsonObject{{QStringLiteral("file"), entry.file},
                                         {QStringLiteral("code"), entry.code},
                                         {QStringLiteral("subject"), entry.subject},
                                         {QStringLiteral("count"), entry.count}});
            }
            document.insert(QStringLiteral("baseline_fixed"), fixed);
        }
        writeJson(document);
    } else {
        QString text;
        for (qsizetype i = 0; i < listed; ++i)
            text += findingText(active.at(i)->finding, invocation.color);
        for (const ReportEntry *entry : std::as_const(suppressed))
            text += findingText(entry->finding, invocation.color, suppressionText(*entry));
        writeOut(text);
    }

    if (!omitted.isEmpty()) {
        QStringList perCode;
        for (auto it = omitted.cbegin(); it != omitted.cend(); ++it)
            perCode.append(QStringLiteral("%1 %2").arg(it.value()).arg(it.key()));
        writeErr(QStringLiteral("vrexctl: %1 not listed (--max-problems=%2; 0 lists all): %3\n")
                         .arg(plural(active.size() - listed, "more problem"))
                         .arg(invocation.maxProblems)
                         .arg(perCode.join(QStringLiteral(", "))));
    }
    if (!run.fixedBaseline.isEmpty()) {
        int fixed = 0;
        for (const BaselineEntry &entry : run.fixedBaseline)
            fixed += entry.count;
        writeErr(QStringLiteral("vrexctl: %1 of the baseline %2 no longer found (fixed); rewrite the baseline "
                                "with --write-baseline %3\n")
                         .arg(plural(fixed, "finding"), fixed == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                              context.baselineFile));
    }
    if (!invocation.quiet) {
        QString hidden;
        if (byComment > 0 || inBaseline > 0) {
            hidden = QStringLiteral("; %1 suppressed by comments, %2 in the baseline")
                             .arg(byComment)
                             .arg(inBaseline);
        }
        if (active.isEmpty() && hidden.isEmpty()) {
            writeErr(QStringLiteral("vrexctl: no problems in %1, %2, %3, %4 and %5\n")
                             .arg(plural(counts.instances, "instance"), plural(counts.deviceTypes, "device type"),
                                  plural(counts.complexTypes, "complex type"),
                                  plural(counts.redirections, "redirection"), plural(counts.styles, "style")));
        } else {
            writeErr(QStringLiteral("vrexctl: %1, %2, %3%4\n")
                             .arg(plural(perSeverity[Finding::Error], "error"),
                                  plural(perSeverity[Finding::Warning], "warning"),
                                  plural(perSeverity[Finding::Note], "note"), hidden));
        }
    }

    return exitCodeOf(run, context.failOnErrorOnly);
}

int exitCodeOf(const CheckRun &run, bool failOnErrorOnly)
{
    for (const ReportEntry &entry : run.entries) {
        if (entry.state == ReportEntry::Active
            && (entry.finding.severity == Finding::Error
                || (entry.finding.severity == Finding::Warning && !failOnErrorOnly)))
            return ExitProblem;
    }
    return ExitOk;
}

} // namespace vrexctl
