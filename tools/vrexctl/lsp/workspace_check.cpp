// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "lsp/workspace_check.h"

#include "checks/check_config.h"
#include "checks/file_lint.h"
#include "checks/installation_check.h"
#include "checks/registry_checks.h"

#include "installation/installation_layout.h"
#include "instance_lookup/device_type_key.h"

#include <QtCore/QFileInfo>

namespace vrexctl::lsp {

namespace {

namespace layout = vrex::layout;

// Hands the lint each file the load reads, with what the check gathers
// besides findings (the suppression comments) kept per file too, and files
// what it found under the file's path when the file ends.
class FileParts final : public vrex::FormatObserver
{
public:
    FileParts(FileLint &lint, FindingList &findings, QHash<QString, FindingList::Part> &parts,
              QHash<QString, SourceFacts> &facts, bool subjects)
        : m_lint(lint), m_findings(findings), m_parts(parts), m_facts(facts), m_subjects(subjects)
    {
    }

    void beginFile(const QString &path) override
    {
        SourceFacts &facts = m_facts[path];
        facts = SourceFacts();
        m_source.emplace(m_lint, facts, m_subjects, false);
        m_source->beginFile(path);
    }
    void endFile(const QString &path, const vrex::xml::Result &result) override
    {
        m_source->endFile(path, result);
        m_source.reset();
        m_parts.insert(path, m_findings.takePart());
    }
    void element(vrex::RecordRole role, const vrex::xml::Element &element) override
    {
        m_source->element(role, element);
    }
    void attribute(vrex::RecordRole role, const vrex::xml::Element &element, const char *name, const char *value,
                   bool known) override
    {
        m_source->attribute(role, element, name, value, known);
    }
    void notice(vrex::RecordRole role, const vrex::xml::Element &element, Notice kind, QByteArrayView subject,
                QByteArrayView value) override
    {
        m_source->notice(role, element, kind, subject, value);
    }
    void unreadElement(vrex::RecordRole parent, const vrex::xml::Element &element) override
    {
        m_source->unreadElement(parent, element);
    }
    void text(vrex::RecordRole role, QByteArrayView utf8) override { m_source->text(role, utf8); }
    bool wantsComments() const override { return true; }
    bool keepsComment(QByteArrayView text) const override { return m_source->keepsComment(text); }
    void comment(QByteArrayView text, vrex::xml::Position at, vrex::xml::Position next) override
    {
        m_source->comment(text, at, next);
    }

private:
    FileLint &m_lint;
    FindingList &m_findings;
    QHash<QString, FindingList::Part> &m_parts;
    QHash<QString, SourceFacts> &m_facts;
    const bool m_subjects;
    std::optional<SourceObserver> m_source;
};

// Files what the registry checks find under the instance or complex type
// they were checking, for the ones in scope (null: all).
class EntryParts final : public RegistryScope
{
public:
    EntryParts(FindingList &findings, QMap<QString, FindingList::Part> &parts, const QSet<QString> *instances,
               const QSet<QString> *complexTypes, const QSet<QString> *deviceTypes)
        : m_findings(findings),
          m_parts(parts),
          m_instances(instances),
          m_complexTypes(complexTypes),
          m_deviceTypes(deviceTypes)
    {
    }
    ~EntryParts() override { enter({}, QString()); }

    bool coversInstance(const QString &name) override
    {
        if (m_instances && !m_instances->contains(name))
            return false;
        enter(QLatin1String("i:"), name);
        return true;
    }
    bool coversComplexType(const QString &name) override
    {
        if (m_complexTypes && !m_complexTypes->contains(name))
            return false;
        enter(QLatin1String("c:"), name);
        return true;
    }
    bool coversDeviceType(const QString &key) override
    {
        if (m_deviceTypes && !m_deviceTypes->contains(key))
            return false;
        enter(QLatin1String("d:"), key);
        return true;
    }

private:
    // Most entries find nothing: their key is made only when one does.
    void enter(QLatin1StringView kind, const QString &name)
    {
        FindingList::Part part = m_findings.takePart();
        if (!part.isEmpty()) {
            FindingList::Part &kept = m_parts[m_kind + m_name];
            kept.findings.append(part.findings);
            for (auto it = part.followOns.cbegin(); it != part.followOns.cend(); ++it)
                kept.followOns[it.key()] += it.value();
        }
        m_kind = kind;
        m_name = name;
    }

    FindingList &m_findings;
    QMap<QString, FindingList::Part> &m_parts;
    const QSet<QString> *m_instances;
    const QSet<QString> *m_complexTypes;
    const QSet<QString> *m_deviceTypes;
    QLatin1StringView m_kind;
    QString m_name;
};

// The key the registry checks report a finding once under.
QString findingKey(const Finding &finding)
{
    return finding.place.file + QLatin1Char(':') + QString::number(finding.place.line) + QLatin1Char(':')
            + QString::number(finding.place.column) + QLatin1Char(':') + finding.code + finding.message;
}

} // namespace

WorkspaceCheck::WorkspaceCheck(const QString &configRoot)
    : m_installation(vrex::Installation::atConfigRoot(configRoot))
{
}

void WorkspaceCheck::setText(const QString &path, const QByteArray &text)
{
    m_installation.files().setText(path, text);
}

void WorkspaceCheck::removeText(const QString &path)
{
    m_installation.files().removeText(path);
}

QStringList WorkspaceCheck::listing(QLatin1StringView directory) const
{
    return m_installation.files().listXml(m_installation.path(directory)).entries();
}

WorkspaceCheck::FileKind WorkspaceCheck::kindOf(const QString &path, QString *entry) const
{
    const QFileInfo info(path);
    const QString directory = info.path();
    if (entry)
        *entry = info.fileName();
    if (path == m_installation.path(layout::kInstancesFile))
        return FileKind::Instances;
    if (path == m_installation.path(layout::kStylesheetFile))
        return FileKind::Stylesheet;
    if (!info.fileName().endsWith(layout::kXmlSuffix, Qt::CaseInsensitive))
        return FileKind::Other;
    if (directory == m_installation.path(layout::kDeviceTypesDir))
        return FileKind::DeviceType;
    if (directory == m_installation.path(layout::kComplexTypesDir))
        return FileKind::ComplexType;
    return FileKind::Other;
}

void WorkspaceCheck::checkAll()
{
    m_lastWhole = true;
    m_graph.reset();
    m_fileParts.clear();
    m_entryParts.clear();
    m_index = DefinitionIndex();
    m_index.definitions = true; // for going to definitions
    m_deviceTypeEntries = listing(layout::kDeviceTypesDir);
    m_complexTypeEntries = listing(layout::kComplexTypesDir);

    m_facts.clear();
    readOptions();
    FindingList findings;
    FileLint lint(m_installation, findings, m_index);
    FileParts parts(lint, findings, m_fileParts, m_facts, m_options.subjects);
    // The lint asks each element for its position itself.
    m_installation.setObserver(&parts, false);
    m_installation.load();
    m_installation.setObserver(nullptr);
    m_installation.clearMessages();
    lint.finish();
    m_directoryPart = findings.takePart();
    checkRegistries(nullptr, nullptr, nullptr);
}

// A type file's entry is the only one of its key, and the listing is the
// one the last whole check read: then reading that one file again gives
// what a whole load would.
bool WorkspaceCheck::ownsItsKey(FileKind kind, const QString &entry) const
{
    const bool deviceType = kind == FileKind::DeviceType;
    const QStringList now = listing(deviceType ? layout::kDeviceTypesDir : layout::kComplexTypesDir);
    if (now != (deviceType ? m_deviceTypeEntries : m_complexTypeEntries))
        return false;
    const QString base = entry.chopped(layout::kXmlSuffix.size());
    int sharing = 0;
    for (const QString &other : now) {
        if (other.chopped(layout::kXmlSuffix.size()).compare(base, Qt::CaseInsensitive) == 0)
            ++sharing;
    }
    return sharing == 1;
}

void WorkspaceCheck::checkChanged(const QSet<QString> &paths)
{
    struct Change
    {
        QString path;
        FileKind kind;
        QString entry;
    };
    QList<Change> changes;
    bool whole = false;
    for (const QString &path : paths) {
        Change change{path, FileKind::Other, {}};
        change.kind = kindOf(path, &change.entry);
        if (change.kind == FileKind::Other)
            continue;
        if (change.kind == FileKind::DeviceType || change.kind == FileKind::ComplexType)
            whole = whole || !ownsItsKey(change.kind, change.entry);
        changes.append(change);
    }
    if (whole) {
        checkAll();
        return;
    }
    m_lastWhole = false;
    bool instances = false;
    QSet<QString> deviceTypes;
    QSet<QString> complexTypes;
    for (const Change &change : std::as_const(changes)) {
        relint(change.path, change.kind, change.entry);
        const QString base = change.entry.chopped(layout::kXmlSuffix.size());
        if (change.kind == FileKind::Instances)
            instances = true;
        else if (change.kind == FileKind::DeviceType)
            deviceTypes.insert(vrex::deviceTypeKey(base));
        else if (change.kind == FileKind::ComplexType)
            complexTypes.insert(base);
    }
    if (instances) {
        // Every registry check reads the instances.
        m_graph.reset();
        m_entryParts.clear();
        checkRegistries(nullptr, nullptr, nullptr);
        return;
    }
    if (deviceTypes.isEmpty() && complexTypes.isEmpty())
        return;

    // The chains that pass an instance of a changed type, and the complex
    // types whose members are of a changed device type.
    if (!complexTypes.isEmpty())
        m_graph.reset(); // its edges are the complex types'
    const Graph &graph = redirectionGraph();
    QSet<QString> touched;
    QSet<QString> checkedTypes = complexTypes;
    for (const QString &key : std::as_const(deviceTypes)) {
        for (const QString &instance : graph.byDeviceType.value(key)) {
            touched.insert(instance);
            for (const QString &type : graph.memberOf.value(instance))
                checkedTypes.insert(type);
        }
    }
    for (const QString &type : std::as_const(complexTypes)) {
        for (const QString &instance : graph.byComplexType.value(type))
            touched.insert(instance);
    }
    const QSet<QString> checkedInstances = reaching(graph, touched, deviceTypes);
    for (const QString &name : checkedInstances)
        m_entryParts.remove(QLatin1String("i:") + name);
    for (const QString &name : std::as_const(checkedTypes))
        m_entryParts.remove(QLatin1String("c:") + name);
    for (const QString &key : std::as_const(deviceTypes))
        m_entryParts.remove(QLatin1String("d:") + key);
    checkRegistries(&checkedInstances, &checkedTypes, &deviceTypes);
}

void WorkspaceCheck::relint(const QString &path, FileKind kind, const QString &entry)
{
    FindingList findings;
    DefinitionIndex index;
    index.definitions = true;
    FileLint lint(m_installation, findings, index);
    FileParts parts(lint, findings, m_fileParts, m_facts, m_options.subjects);
    m_installation.setObserver(&parts, false);
    switch (kind) {
    case FileKind::Instances: m_installation.reloadInstances(); break;
    case FileKind::Stylesheet: m_installation.reloadStyles(); break;
    case FileKind::DeviceType: m_installation.reloadDeviceType(entry); break;
    case FileKind::ComplexType: m_installation.reloadComplexType(entry); break;
    case FileKind::Other: break;
    }
    m_installation.setObserver(nullptr);
    m_installation.clearMessages();

    switch (kind) {
    case FileKind::Instances:
        m_index.instances = std::move(index.instances);
        m_index.instanceCounts = index.instanceCounts;
        break;
    case FileKind::Stylesheet: m_index.stylesheetCounts = index.stylesheetCounts; break;
    case FileKind::DeviceType: {
        for (auto it = m_index.deviceTypes.begin(); it != m_index.deviceTypes.end();)
            it = it->path == path ? m_index.deviceTypes.erase(it) : std::next(it);
        m_index.deviceTypes.insert(index.deviceTypes);
        break;
    }
    case FileKind::ComplexType: {
        for (auto it = m_index.complexTypes.begin(); it != m_index.complexTypes.end();)
            it = it->path == path ? m_index.complexTypes.erase(it) : std::next(it);
        m_index.complexTypes.insert(index.complexTypes);
        break;
    }
    default: break;
    }
}

void WorkspaceCheck::checkRegistries(const QSet<QString> *instances, const QSet<QString> *complexTypes,
                                     const QSet<QString> *deviceTypes)
{
    // The root causes the files gave decide what folds into them.
    FindingList findings;
    for (const FindingList::Part &part : std::as_const(m_fileParts))
        findings.addPart(part);
    findings.addPart(m_directoryPart);
    findings.takePart();
    {
        EntryParts parts(findings, m_entryParts, instances, complexTypes, deviceTypes);
        vrexctl::checkRegistries(m_installation.catalogue(), m_index, findings, &parts);
    }
}

const WorkspaceCheck::Graph &WorkspaceCheck::redirectionGraph()
{
    if (m_graph)
        return *m_graph;
    m_graph = std::make_unique<Graph>();
    Graph &graph = *m_graph;
    const vrex::Catalogue catalogue = m_installation.catalogue();
    for (auto it = catalogue.instances.cbegin(); it != catalogue.instances.cend(); ++it) {
        const auto type = vrex::findDeviceType(catalogue.deviceTypes, it->type);
        // Instances that name no registered type count under their folded name.
        graph.byDeviceType[type == catalogue.deviceTypes.cend() ? vrex::deviceTypeKey(it->type) : type.key()]
                .append(it.key());
        if (!it->complex.isEmpty())
            graph.byComplexType[it->complex].append(it.key());
    }
    for (auto type = catalogue.complexTypes.cbegin(); type != catalogue.complexTypes.cend(); ++type) {
        for (auto member = type->members.cbegin(); member != type->members.cend(); ++member) {
            graph.memberOf[member.key()].append(type.key());
            const auto instance = catalogue.instances.constFind(member.key());
            // A member's redirections are the instance's only when it names the type.
            if (instance == catalogue.instances.cend() || instance->complex != type.key())
                continue;
            for (auto param = member->params.cbegin(); param != member->params.cend(); ++param)
                graph.into[param->device].append({member.key(), param.key(), param->param});
        }
    }
    return graph;
}

// Chain starts that may pass through one of touched: touched, and every
// instance from whose parameters redirections lead to a parameter of one of
// them. A redirection is taken only for a parameter with slot 0 on the
// member's device type (or that may have had it: one of changedTypes); the
// walk itself is the check's, this only finds whom to ask again.
QSet<QString> WorkspaceCheck::reaching(const Graph &graph, QSet<QString> touched, const QSet<QString> &changedTypes) const
{
    const vrex::Catalogue catalogue = m_installation.catalogue();
    const auto taken = [&](const Graph::Edge &edge) {
        const auto type = vrex::findDeviceType(catalogue.deviceTypes, catalogue.instances.constFind(edge.instance)->type);
        if (type == catalogue.deviceTypes.cend())
            return false;
        if (changedTypes.contains(type.key()))
            return true;
        const auto slot = type->params.constFind(edge.param);
        return slot != type->params.cend() && slot->slot == 0;
    };
    QSet<QPair<QString, QString>> seen; // (instance, parameter) the walk may come from
    QList<QPair<QString, QString>> pending;
    const auto reach = [&](const Graph::Edge &edge) {
        const QPair<QString, QString> from{edge.instance, edge.param};
        if (!seen.contains(from) && taken(edge)) {
            seen.insert(from);
            pending.append(from);
        }
    };
    for (const QString &instance : std::as_const(touched)) {
        for (const Graph::Edge &edge : graph.into.value(instance))
            reach(edge);
    }
    while (!pending.isEmpty()) {
        const QPair<QString, QString> to = pending.takeLast();
        touched.insert(to.first);
        for (const Graph::Edge &edge : graph.into.value(to.first)) {
            if (edge.target == to.second)
                reach(edge);
        }
    }
    return touched;
}

// The user's configuration of the check, as `vrexctl check` reads it.
void WorkspaceCheck::readOptions()
{
    m_options = CheckOptions();
    m_options.config = readCheckConfig(m_installation.path(kCheckConfigFile), false);
    const QString baseline = m_options.config.baseline;
    if (!baseline.isEmpty() && readBaseline(baseline, m_options.baseline, m_baselineError))
        m_options.useBaseline = m_options.subjects = true;
}

QList<Finding> WorkspaceCheck::findings() const
{
    // The files' facts as one, as one load gathers them.
    SourceFacts facts;
    for (auto file = m_facts.cbegin(); file != m_facts.cend(); ++file) {
        const qsizetype offset = facts.suppressions.size();
        facts.suppressions += file->suppressions;
        for (auto it = file->elementSuppressions.cbegin(); it != file->elementSuppressions.cend(); ++it) {
            for (qsizetype index : it.value())
                facts.elementSuppressions[it.key()].append(offset + index);
        }
        for (auto it = file->fileSuppressions.cbegin(); it != file->fileSuppressions.cend(); ++it) {
            for (qsizetype index : it.value())
                facts.fileSuppressions[it.key()].append(offset + index);
        }
        facts.problems += file->problems;
        facts.subjects.insert(file->subjects);
    }
    const QString configRoot = m_installation.configRoot();
    const CheckRun run = applyCheckOptions(checkedFindings(), std::move(facts),
                                           QFileInfo(configRoot).path(), configRoot, m_options);
    QList<Finding> active;
    for (const ReportEntry &entry : run.entries) {
        if (entry.state == ReportEntry::Active)
            active.append(entry.finding);
    }
    return active;
}

QList<Finding> WorkspaceCheck::checkedFindings() const
{
    FindingList findings;
    for (const FindingList::Part &part : m_fileParts)
        findings.addPart(part);
    findings.addPart(m_directoryPart);
    for (const FindingList::Part &part : m_entryParts)
        findings.addPart(part);
    // The registry findings' places; records defined twice.
    placeFindings(findings, m_index, m_installation);
    // One report per place, however many entries' chains lead there.
    QSet<QString> reported;
    QList<Finding> once;
    for (Finding &finding : findings.take()) {
        const QString key = findingKey(finding);
        if (finding.code == QLatin1String("follow-on") || !reported.contains(key)) {
            reported.insert(key);
            once.append(std::move(finding));
        }
    }
    return once;
}

} // namespace vrexctl::lsp
