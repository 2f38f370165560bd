// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/ci_formats.h"

#include "checks/name_suggestion.h"
#include "checks/rules.h"
#include "output/console_output.h"
#include "output/finding_output.h"
#include "output/json_output.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QUrl>

namespace vrexctl {

namespace {

QString messageOf(const Finding &finding)
{
    if (finding.suggestions.isEmpty())
        return finding.message;
    return finding.message + QStringLiteral("; ") + didYouMean(finding.suggestions);
}

// A path relative to the current directory, as CI jobs name files.
QString jobPath(const QString &path)
{
    return QDir::cleanPath(QDir::current().relativeFilePath(QFileInfo(path).absoluteFilePath()));
}

// --- SARIF

QJsonObject text(const QString &value)
{
    return {{QStringLiteral("text"), value}};
}

QJsonObject sarifRule(const Rule &rule)
{
    const QString help = QStringLiteral("%1\n\nExample: %2\n\nFix: %3")
                                 .arg(plainText(rule.library), plainText(rule.example), plainText(rule.fix));
    const QString markdown = QStringLiteral("%1\n\n**Example:** %2\n\n**Fix:** %3")
                                     .arg(QString::fromUtf8(rule.library), QString::fromUtf8(rule.example),
                                          QString::fromUtf8(rule.fix));
    return {{QStringLiteral("id"), QLatin1String(rule.code)},
            {QStringLiteral("shortDescription"), text(plainText(rule.summary))},
            {QStringLiteral("fullDescription"), text(plainText(rule.meaning))},
            {QStringLiteral("help"), QJsonObject{{QStringLiteral("text"), help}, {QStringLiteral("markdown"), markdown}}},
            {QStringLiteral("defaultConfiguration"),
             QJsonObject{{QStringLiteral("level"), severityWord(rule.severity)}}}};
}

class SarifWriter
{
public:
    explicit SarifWriter(const ReportContext &context) : m_context(context) { }

    QJsonObject location(const Place &place, const QString &message = QString(), int id = -1) const
    {
        QJsonObject physical{{QStringLiteral("artifactLocation"), artifact(place.file)}};
        if (place.line > 0) {
            physical.insert(QStringLiteral("region"), QJsonObject{{QStringLiteral("startLine"), place.line},
                                                                  {QStringLiteral("startColumn"), place.column}});
        }
        QJsonObject object{{QStringLiteral("physicalLocation"), physical}};
        if (id >= 0)
            object.insert(QStringLiteral("id"), id);
        if (!message.isNull())
            object.insert(QStringLiteral("message"), text(message));
        return object;
    }

    QJsonObject result(const ReportEntry &entry, bool baseline) const
    {
        const Finding &finding = entry.finding;
        QJsonObject object{{QStringLiteral("ruleId"), finding.code},
                           {QStringLiteral("level"), severityWord(finding.severity)},
                           {QStringLiteral("message"), text(messageOf(finding))},
                           {QStringLiteral("locations"), QJsonArray{location(finding.place)}},
                           {QStringLiteral("partialFingerprints"),
                            QJsonObject{{QStringLiteral("vrexctlIdentity/v1"), entry.fingerprint}}}};
        if (const Rule *rule = findRule(finding.code))
            object.insert(QStringLiteral("ruleIndex"), int(rule - rulesBegin()));
        QJsonArray related;
        for (const RelatedPlace &place : finding.related)
            related.append(location(place.place, place.message, int(related.size())));
        if (!related.isEmpty())
            object.insert(QStringLiteral("relatedLocations"), related);
        if (entry.state == ReportEntry::SuppressedByComment) {
            object.insert(QStringLiteral("suppressions"),
                          QJsonArray{QJsonObject{{QStringLiteral("kind"), QStringLiteral("inSource")},
                                                 {QStringLiteral("location"), location(entry.suppressedBy)}}});
        } else if (entry.state == ReportEntry::InBaseline) {
            object.insert(QStringLiteral("suppressions"),
                          QJsonArray{QJsonObject{{QStringLiteral("kind"), QStringLiteral("external")},
                                                 {QStringLiteral("justification"),
                                                  QStringLiteral("in the baseline ") + m_context.baselineFile}}});
        }
        if (baseline) {
            object.insert(QStringLiteral("baselineState"), entry.state == ReportEntry::InBaseline
                                  ? QStringLiteral("unchanged")
                                  : QStringLiteral("new"));
        }
        return object;
    }

private:
    // Below the root: relative, against the base id ROOT; elsewhere (a
    // --config file) an absolute file URI.
    QJsonObject artifact(const QString &path) const
    {
        const QString relative = QDir::cleanPath(QDir(m_context.root).relativeFilePath(path));
        if (relative.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relative)) {
            return {{QStringLiteral("uri"),
                     QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded)}};
        }
        return {{QStringLiteral("uri"), QString::fromLatin1(QUrl::toPercentEncoding(relative, "/"))},
                {QStringLiteral("uriBaseId"), QStringLiteral("ROOT")}};
    }

    const ReportContext &m_context;
};

void writeSarif(const CheckRun &run, const ReportContext &context)
{
    const SarifWriter writer(context);
    QJsonArray rules;
    for (const Rule *rule = rulesBegin(); rule != rulesEnd(); ++rule)
        rules.append(sarifRule(*rule));
    QJsonArray results;
    for (const ReportEntry &entry : run.entries)
        results.append(writer.result(entry, !context.baselineFile.isEmpty()));
    const QJsonObject driver{{QStringLiteral("name"), QStringLiteral("vrexctl")},
                             {QStringLiteral("version"), QCoreApplication::applicationVersion()},
                             {QStringLiteral("rules"), rules}};
    const QString rootUri = QUrl::fromLocalFile(QFileInfo(context.root).absoluteFilePath() + QLatin1Char('/'))
                                    .toString(QUrl::FullyEncoded);
    const QJsonObject sarifRun{
        {QStringLiteral("tool"), QJsonObject{{QStringLiteral("driver"), driver}}},
        {QStringLiteral("originalUriBaseIds"),
         QJsonObject{{QStringLiteral("ROOT"), QJsonObject{{QStringLiteral("uri"), rootUri}}}}},
        {QStringLiteral("columnKind"), QStringLiteral("unicodeCodePoints")},
        {QStringLiteral("results"), results}};
    writeJson(QJsonObject{
            {QStringLiteral("$schema"),
             QStringLiteral("https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json")},
            {QStringLiteral("version"), QStringLiteral("2.1.0")},
            {QStringLiteral("runs"), QJsonArray{sarifRun}}});
}

// --- workflow commands

// Data escapes %, CR and LF; a property also the ':' and ',' that end it.
QString commandData(QString value)
{
    return value.replace(QLatin1Char('%'), QLatin1String("%25"))
            .replace(QLatin1Char('\r'), QLatin1String("%0D"))
            .replace(QLatin1Char('\n'), QLatin1String("%0A"));
}

QString commandProperty(const QString &value)
{
    return commandData(value).replace(QLatin1Char(':'), QLatin1String("%3A")).replace(QLatin1Char(','), QLatin1String("%2C"));
}

QString workflowCommand(Finding::Severity severity, const Place &place, const QString &code, const QString &message)
{
    const char *command = severity == Finding::Error ? "error" : severity == Finding::Warning ? "warning" : "notice";
    QString properties = QStringLiteral("file=") + commandProperty(jobPath(place.file));
    if (place.line > 0)
        properties += QStringLiteral(",line=%1,col=%2").arg(place.line).arg(place.column);
    return QStringLiteral("::%1 %2,title=%3::%4\n")
            .arg(QLatin1String(command), properties, commandProperty(code), commandData(message));
}

void writeGithub(const CheckRun &run)
{
    QString out;
    for (const ReportEntry &entry : run.entries) {
        if (entry.state != ReportEntry::Active)
            continue;
        const Finding &finding = entry.finding;
        out += workflowCommand(finding.severity, finding.place, finding.code, messageOf(finding));
        for (const RelatedPlace &related : finding.related)
            out += workflowCommand(Finding::Note, related.place, finding.code, related.message);
    }
    writeOut(out);
}

// --- Code Quality

void writeGitlab(const CheckRun &run)
{
    QJsonArray issues;
    for (const ReportEntry &entry : run.entries) {
        if (entry.state != ReportEntry::Active)
            continue;
        const Finding &finding = entry.finding;
        const char *severity = finding.severity == Finding::Error ? "major"
                : finding.severity == Finding::Warning                ? "minor"
                                                                      : "info";
        issues.append(QJsonObject{
                {QStringLiteral("description"), messageOf(finding)},
                {QStringLiteral("check_name"), finding.code},
                {QStringLiteral("fingerprint"), entry.fingerprint},
                {QStringLiteral("severity"), QLatin1String(severity)},
                {QStringLiteral("location"),
                 QJsonObject{{QStringLiteral("path"), jobPath(finding.place.file)},
                             {QStringLiteral("lines"),
                              QJsonObject{{QStringLiteral("begin"), qMax<qint64>(1, finding.place.line)}}}}}});
    }
    writeJson(issues);
}

} // namespace

void writeCiFormat(const QString &format, const CheckRun &run, const ReportContext &context)
{
    if (format == QLatin1String("sarif"))
        writeSarif(run, context);
    else if (format == QLatin1String("github"))
        writeGithub(run);
    else
        writeGitlab(run);
}

} // namespace vrexctl
