// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/check_run.h"

#include "checks/file_lint.h"
#include "checks/installation_check.h"

#include "installation/installation.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QMap>

#include <algorithm>

namespace vrexctl {

namespace {

constexpr int kBaselineSchema = 1;
const QString kFollowOn = QStringLiteral("follow-on");

QString relativeTo(const QString &base, const QString &path)
{
    const QString prefix = base + QLatin1Char('/');
    return QDir::cleanPath(path.startsWith(prefix) ? path.mid(prefix.size()) : QDir(base).relativeFilePath(path));
}

QString identityOf(const QString &file, const QString &code, const QString &subject)
{
    return file + QLatin1Char('\n') + code + QLatin1Char('\n') + subject;
}

bool placeBefore(const Place &x, const Place &y)
{
    if (x.file != y.file)
        return x.file < y.file;
    if (x.line != y.line)
        return x.line < y.line;
    return x.column < y.column;
}

class CheckPipeline
{
public:
    CheckPipeline(const QString &root, const QString &configRoot, const CheckOptions &options, CheckRun &run)
        : m_root(root), m_configRoot(configRoot), m_options(options), m_run(run)
    {
    }

    // Configuration, then suppression comments, then what the comments did
    // not use; sorted by place as the lint sorted its own.
    void take(QList<Finding> findings)
    {
        findings += m_run.facts.problems;
        findings += m_options.config.problems;
        // A follow-on note goes with the finding before it, its cause.
        bool causeKept = true;
        for (Finding &finding : findings) {
            if (finding.code != kFollowOn || causeKept)
                causeKept = addConfigured(std::move(finding));
        }
        for (qsizetype i = 0; i < m_run.entries.size(); ++i) {
            ReportEntry &entry = m_run.entries[i];
            if (entry.finding.code == kFollowOn && i > 0) {
                entry.state = m_run.entries.at(i - 1).state;
                entry.suppressedBy = m_run.entries.at(i - 1).suppressedBy;
            } else {
                suppressByComment(entry);
            }
        }
        for (const Suppression &suppression : std::as_const(m_run.facts.suppressions)) {
            if (suppression.uses > 0 || !m_options.config.severity(suppression.code, Finding::Note))
                continue;
            Finding unused;
            unused.place = suppression.comment;
            unused.severity = Finding::Note;
            unused.code = QStringLiteral("unused-suppression");
            unused.message = QStringLiteral("the suppression of '%1' suppresses nothing %2; remove it")
                                     .arg(suppression.code, suppression.fileWide ? QStringLiteral("in this file")
                                                                                 : QStringLiteral("on the next element"));
            addConfigured(std::move(unused));
        }
        std::stable_sort(m_run.entries.begin(), m_run.entries.end(),
                         [](const ReportEntry &a, const ReportEntry &b) {
                             return placeBefore(a.finding.place, b.finding.place);
                         });
    }

    void identify()
    {
        QHash<QString, int> seen;
        for (ReportEntry &entry : m_run.entries) {
            const Place &place = entry.finding.place;
            entry.file = relativeTo(m_root, place.file);
            entry.subject = m_run.facts.subjects.value(keyOf(place));
            const QString identity = entry.identity();
            entry.occurrence = seen[identity]++;
            entry.fingerprint = QString::fromLatin1(
                    QCryptographicHash::hash((identity + QLatin1Char('\n') + QString::number(entry.occurrence)).toUtf8(),
                                             QCryptographicHash::Sha256)
                            .toHex()
                            .left(32));
        }
    }

    // The first findings of each identity, as many as the baseline holds,
    // are in it; what is left of its counts is fixed.
    void applyBaseline()
    {
        QHash<QString, qsizetype> remaining; // identity -> index in the baseline
        QList<BaselineEntry> baseline = m_options.baseline;
        for (qsizetype i = 0; i < baseline.size(); ++i)
            remaining.insert(identityOf(baseline.at(i).file, baseline.at(i).code, baseline.at(i).subject), i);
        for (ReportEntry &entry : m_run.entries) {
            if (entry.state != ReportEntry::Active)
                continue;
            const auto found = remaining.constFind(entry.identity());
            if (found != remaining.constEnd() && baseline[*found].count > 0) {
                --baseline[*found].count;
                entry.state = ReportEntry::InBaseline;
            }
        }
        for (const BaselineEntry &entry : std::as_const(baseline)) {
            if (entry.count > 0)
                m_run.fixedBaseline.append(entry);
        }
    }

private:
    // False when the configuration drops the finding.
    bool addConfigured(Finding finding)
    {
        const auto severity = m_options.config.severity(finding.code, finding.severity);
        if (!severity)
            return false;
        const QString prefix = m_configRoot + QLatin1Char('/');
        if (finding.place.file.startsWith(prefix)
            && m_options.config.isExcluded(QDir::cleanPath(finding.place.file.mid(prefix.size()))))
            return false;
        finding.severity = *severity;
        ReportEntry entry;
        entry.finding = std::move(finding);
        m_run.entries.append(std::move(entry));
        return true;
    }

    void suppressByComment(ReportEntry &entry)
    {
        const Place &place = entry.finding.place;
        const auto suppressedBy = [&](const QList<qsizetype> &indices) {
            for (qsizetype index : indices) {
                Suppression &suppression = m_run.facts.suppressions[index];
                if (suppression.code != entry.finding.code)
                    continue;
                ++suppression.uses;
                entry.state = ReportEntry::SuppressedByComment;
                entry.suppressedBy = suppression.comment;
                return true;
            }
            return false;
        };
        const auto element = m_run.facts.elementSuppressions.constFind(keyOf(place));
        if (element != m_run.facts.elementSuppressions.constEnd() && suppressedBy(*element))
            return;
        const auto file = m_run.facts.fileSuppressions.constFind(place.file);
        if (file != m_run.facts.fileSuppressions.constEnd())
            suppressedBy(*file);
    }

    const QString m_root;
    const QString m_configRoot;
    const CheckOptions &m_options;
    CheckRun &m_run;
};

} // namespace

QString ReportEntry::identity() const
{
    return identityOf(file, finding.code, subject);
}

int CheckRun::count(ReportEntry::State state) const
{
    return int(std::count_if(entries.cbegin(), entries.cend(),
                             [state](const ReportEntry &entry) { return entry.state == state; }));
}

namespace {

// The suggestions of the active findings that are listed; their candidates
// can be many, and most findings of a large run are only counted.
void suggestListed(CheckRun &run, const CheckOptions &options)
{
    qsizetype active = 0;
    for (ReportEntry &entry : run.entries) {
        Finding &finding = entry.finding;
        if (finding.suggest && entry.state == ReportEntry::Active
            && (options.suggested < 0 || active < options.suggested))
            finding.suggestions = finding.suggest();
        finding.suggest = nullptr;
        active += entry.state == ReportEntry::Active;
    }
}

} // namespace

CheckRun runCheck(vrex::Installation &installation, const QString &root, const CheckOptions &options)
{
    CheckRun run;
    const SourceGathering gathering{run.facts, options.subjects, options.fixes};
    CheckReport report = checkInstallation(installation, &gathering);
    run.counts = report.counts;
    CheckPipeline pipeline(root, installation.configRoot(), options, run);
    pipeline.take(std::move(report.findings));
    pipeline.identify();
    if (options.useBaseline)
        pipeline.applyBaseline();
    suggestListed(run, options);
    return run;
}

CheckRun applyCheckOptions(QList<Finding> findings, SourceFacts facts, const QString &root,
                           const QString &configRoot, const CheckOptions &options)
{
    CheckRun run;
    run.facts = std::move(facts);
    CheckPipeline pipeline(root, configRoot, options, run);
    pipeline.take(std::move(findings));
    pipeline.identify();
    if (options.useBaseline)
        pipeline.applyBaseline();
    suggestListed(run, options);
    return run;
}

QByteArray baselineJson(const QList<ReportEntry> &entries)
{
    QMap<QString, BaselineEntry> folded; // sorted by identity: file, code, subject
    for (const ReportEntry &entry : entries) {
        if (entry.state == ReportEntry::SuppressedByComment)
            continue;
        BaselineEntry &into = folded[entry.identity()];
        into = {entry.file, entry.finding.code, entry.subject, into.count + 1, into.messages};
        if (!into.messages.contains(entry.finding.message))
            into.messages.append(entry.finding.message);
    }
    QJsonArray list;
    for (BaselineEntry &entry : folded) {
        entry.messages.sort();
        list.append(QJsonObject{{QStringLiteral("file"), entry.file},
                                {QStringLiteral("code"), entry.code},
                                {QStringLiteral("subject"), entry.subject},
                                {QStringLiteral("count"), entry.count},
                                {QStringLiteral("messages"), QJsonArray::fromStringList(entry.messages)}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("schema"), kBaselineSchema},
                                     {QStringLiteral("findings"), list}})
            .toJson(QJsonDocument::Indented);
}

bool readBaseline(const QString &path, QList<BaselineEntry> &entries, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = unreadableReason(path);
        return false;
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    const QJsonObject root = document.object();
    if (parseError.error != QJsonParseError::NoError || root.value(QLatin1String("schema")).toInt() != kBaselineSchema
        || !root.value(QLatin1String("findings")).isArray()) {
        error = parseError.error != QJsonParseError::NoError
                ? QStringLiteral("not JSON: %1 at byte %2").arg(parseError.errorString()).arg(parseError.offset)
                : QStringLiteral("not a baseline of schema %1 written by 'check --write-baseline'").arg(kBaselineSchema);
        return false;
    }
    for (const QJsonValue &value : root.value(QLatin1String("findings")).toArray()) {
        BaselineEntry entry;
        entry.file = value[QLatin1String("file")].toString();
        entry.code = value[QLatin1String("code")].toString();
        entry.subject = value[QLatin1String("subject")].toString();
        entry.count = value[QLatin1String("count")].toInt();
        entry.messages = value[QLatin1String("messages")].toVariant().toStringList();
        entries.append(entry);
    }
    return true;
}

} // namespace vrexctl
