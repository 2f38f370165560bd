// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/finding.h"

#include <algorithm>
#include <utility>

namespace vrexctl {

QString severityWord(Finding::Severity severity)
{
    switch (severity) {
    case Finding::Error: return QStringLiteral("error");
    case Finding::Warning: return QStringLiteral("warning");
    case Finding::Note: break;
    }
    return QStringLiteral("note");
}

void FindingList::add(Finding finding)
{
    m_findings.append(std::move(finding));
}

void FindingList::addRootCause(const QString &key, Finding finding, bool alwaysList)
{
    if (m_roots.contains(key))
        return;
    m_roots.insert(key, {std::move(finding), alwaysList, 0});
    m_rootOrder.append(key);
}

bool FindingList::fold(const QString &key)
{
    const auto root = m_roots.find(key);
    if (root == m_roots.end())
        return false;
    ++root->followOns;
    ++m_partFollowOns[key];
    return true;
}

void FindingList::placeSubjects(const std::function<Place(const Subject &)> &where)
{
    for (Finding &finding : m_findings) {
        if (finding.subject.kind != Subject::None)
            finding.place = where(finding.subject);
        for (RelatedPlace &related : finding.related) {
            if (related.subject.kind != Subject::None)
                related.place = where(related.subject);
        }
    }
}

QList<Subject> FindingList::subjects() const
{
    QList<Subject> subjects;
    for (const Finding &finding : m_findings) {
        if (finding.subject.kind != Subject::None)
            subjects.append(finding.subject);
        for (const RelatedPlace &related : finding.related) {
            if (related.subject.kind != Subject::None)
                subjects.append(related.subject);
        }
    }
    return subjects;
}

FindingList::Part FindingList::takePart()
{
    Part part;
    part.findings = m_findings.mid(m_partFindings);
    for (qsizetype i = m_partRoots; i < m_rootOrder.size(); ++i) {
        const Root &root = m_roots[m_rootOrder.at(i)];
        part.roots.append({m_rootOrder.at(i), root.finding, root.alwaysList});
    }
    part.followOns = std::exchange(m_partFollowOns, {});
    m_partFindings = m_findings.size();
    m_partRoots = m_rootOrder.size();
    return part;
}

void FindingList::addPart(const Part &part)
{
    for (const RootCause &root : part.roots)
        addRootCause(root.key, root.finding, root.alwaysList);
    for (const Finding &finding : part.findings)
        add(finding);
    for (auto it = part.followOns.cbegin(); it != part.followOns.cend(); ++it) {
        for (int i = 0; i < it.value(); ++i)
            fold(it.key());
    }
}

QList<Finding> FindingList::take()
{
    QList<QList<Finding>> groups; // a finding and the notes that go with it
    for (Finding &finding : m_findings)
        groups.append({std::move(finding)});
    m_findings.clear();
    m_partFindings = 0;
    for (const QString &key : std::as_const(m_rootOrder)) {
        const Root &root = m_roots[key];
        if (!root.alwaysList && root.followOns == 0)
            continue;
        QList<Finding> group{root.finding};
        if (root.followOns > 0) {
            Finding note;
            note.place = root.finding.place;
            note.severity = Finding::Note;
            note.code = QStringLiteral("follow-on");
            note.message = root.followOns == 1
                    ? QStringLiteral("1 further problem follows from this and is not listed")
                    : QStringLiteral("%1 further problems follow from this and are not listed")
                              .arg(root.followOns);
            group.append(note);
        }
        groups.append(group);
    }
    std::stable_sort(groups.begin(), groups.end(), [](const QList<Finding> &a, const QList<Finding> &b) {
        const Place &x = a.constFirst().place;
        const Place &y = b.constFirst().place;
        if (x.file != y.file)
            return x.file < y.file;
        if (x.line != y.line)
            return x.line < y.line;
        return x.column < y.column;
    });
    QList<Finding> sorted;
    for (QList<Finding> &group : groups)
        sorted.append(std::move(group));
    return sorted;
}

} // namespace vrexctl
