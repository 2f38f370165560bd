#include "output/finding_output.h"

#include "cli/command_line.h"
#include "cli/exit_codes.h"
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

QString findingText(const Finding &finding, bool color)
{
    QString message = finding.message;
    if (!finding.suggestion.isNull())
        message += QStringLiteral("; did you mean '%1'?").arg(finding.suggestion);
    QString text = lineOf(finding.place, finding.severity, message, finding.code, color);
    for (const RelatedPlace &related : finding.related)
        text += lineOf(related.place, Finding::Note, related.message, finding.code, color);
    return text;
}

QJsonObject placeJson(const Place &place)
{
    return {{QStringLiteral("file"), place.file},
            {QStringLiteral("line"), place.line},
            {QStringLiteral("column"), place.column}};
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
    if (!finding.suggestion.isNull())
        object.insert(QStringLiteral("suggestion"), finding.suggestion);
    QJsonArray related;
    for (const RelatedPlace &place : finding.related) {
        QJsonObject entry = placeJson(place.place);
        entry.insert(QStringLiteral("message"), place.message);
        related.append(entry);
    }
    object.insert(QStringLiteral("related"), related);
    return object;
}

int writeFindings(const Invocation &invocation, const QList<Finding> &findings, const RegistryCounts &counts)
{
    qsizetype perSeverity[3] = {0, 0, 0};
    for (const Finding &finding : findings)
        ++perSeverity[finding.severity];
    const qsizetype listed = invocation.maxProblems > 0 ? std::min<qsizetype>(invocation.maxProblems, findings.size())
                                                        : findings.size();
    QMap<QString, int> omitted;
    for (qsizetype i = listed; i < findings.size(); ++i)
        ++omitted[findings.at(i).code];

    if (invocation.json) {
        QJsonArray problems;
        for (qsizetype i = 0; i < listed; ++i)
            problems.append(findingJson(findings.at(i)));
        QJsonObject document{
            {QStringLiteral("schema"), 1},
            {QStringLiteral("counts"),
             QJsonObject{{QStringLiteral("error"), perSeverity[Finding::Error]},
                         {QStringLiteral("warning"), perSeverity[Finding::Warning]},
                         {QStringLiteral("note"), perSeverity[Finding::Note]}}},
            {QStringLiteral("registries"),
             QJsonObject{{QStringLiteral("styles"), counts.styles},
                         {QStringLiteral("instances"), counts.instances},
                         {QStringLiteral("devicetypes"), counts.deviceTypes},
                         {QStringLiteral("complextypes"), counts.complexTypes},
                         {QStringLiteral("redirections"), counts.redirections}}},
            {QStringLiteral("problems"), problems},
        };
        if (!omitted.isEmpty()) {
            QJsonObject cut;
            for (auto it = omitted.cbegin(); it != omitted.cend(); ++it)
                cut.insert(it.key(), it.value());
            document.insert(QStringLiteral("omitted"), cut);
        }
        writeJson(document);
    } else {
        QString text;
        for (qsizetype i = 0; i < listed; ++i)
            text += findingText(findings.at(i), invocation.color);
        writeOut(text);
    }

    if (!omitted.isEmpty()) {
        QStringList perCode;
        for (auto it = omitted.cbegin(); it != omitted.cend(); ++it)
            perCode.append(QStringLiteral("%1 %2").arg(it.value()).arg(it.key()));
        writeErr(QStringLiteral("vrexctl: %1 not listed (--max-problems=%2; 0 lists all): %3\n")
                         .arg(plural(findings.size() - listed, "more problem"))
                         .arg(invocation.maxProblems)
                         .arg(perCode.join(QStringLiteral(", "))));
    }
    if (!invocation.quiet) {
        if (findings.isEmpty()) {
            writeErr(QStringLiteral("vrexctl: no problems in %1, %2, %3, %4 and %5\n")
                             .arg(plural(counts.instances, "instance"), plural(counts.deviceTypes, "device type"),
                                  plural(counts.complexTypes, "complex type"),
                                  plural(counts.redirections, "redirection"), plural(counts.styles, "style")));
        } else {
            writeErr(QStringLiteral("vrexctl: %1, %2, %3\n")
                             .arg(plural(perSeverity[Finding::Error], "error"),
                                  plural(perSeverity[Finding::Warning], "warning"),
                                  plural(perSeverity[Finding::Note], "note")));
        }
    }

    if (perSeverity[Finding::Error] > 0)
        return ExitProblem;
    if (perSeverity[Finding::Warning] > 0 && !invocation.failOnErrorOnly)
        return ExitProblem;
    return ExitOk;
}

} // namespace vrexctl
