// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "graph/installation_graph.h"

#include "instance_lookup/device_type_key.h"
#include "instance_lookup/lookup_step.h"
#include "output/quoting.h"

#include <QtCore/QHash>
#include <QtCore/QSet>

#include <deque>

namespace vrexctl {

namespace {

using vrex::LookupStep;

// An instance's node and a parameter, as a view into the registries.
struct Pair
{
    qsizetype node;
    QStringView parameter;
    friend bool operator==(const Pair &a, const Pair &b) { return a.node == b.node && a.parameter == b.parameter; }
    friend size_t qHash(const Pair &pair, size_t seed = 0) { return qHashMulti(seed, pair.node, pair.parameter); }
};

// The kind, ends and marks an edge gathers the labels of.
struct EdgeKey
{
    int kind;
    qsizetype from;
    qsizetype to;
    bool cycle;
    bool broken;
    friend bool operator==(const EdgeKey &a, const EdgeKey &b)
    {
        return a.kind == b.kind && a.from == b.from && a.to == b.to && a.cycle == b.cycle && a.broken == b.broken;
    }
    friend size_t qHash(const EdgeKey &key, size_t seed = 0)
    {
        return qHashMulti(seed, key.kind, key.from, key.to, key.cycle, key.broken);
    }
};

// One redirection a lookup follows, from instance.parameter.
struct Redirection
{
    qsizetype from;           // its instance's node
    const QString *parameter; // a registry key
    const complexParam *target;
};

class Builder
{
public:
    explicit Builder(const vrex::Catalogue &catalogue) : m_catalogue(catalogue) { }

    // One pass over the instances: the redirections of those with a complex
    // type, the clusters of the composites.
    void addInstances();
    InstallationGraph select(const QStringList &names, int depth);

private:
    using InstanceIterator = vrex::InstanceRegistry::const_iterator;
    using TypeIterator = vrex::DeviceTypeRegistry::const_iterator;

    qsizetype node(const QString &name);
    qsizetype node(InstanceIterator instance, TypeIterator type);
    const QList<const QString *> &slotZero(TypeIterator type);
    void addRedirections(InstanceIterator instance, TypeIterator type, QList<Redirection> &redirections);
    void drawRedirections(const QList<Redirection> &redirections);
    void addComposites(const QList<InstanceIterator> &composites);
    void addEdge(GraphEdge::Kind kind, qsizetype from, qsizetype to, const QString &label, bool cycle, bool broken);
    QList<bool> cycles(const QList<Redirection> &redirections, const QList<qsizetype> &targets) const;

    const vrex::Catalogue &m_catalogue;
    InstallationGraph m_graph;
    QHash<QString, qsizetype> m_nodeOf;
    // Every instance by name, filled in the one pass: targets are looked up
    // here, not by a search of the registry's tree for each.
    QHash<QStringView, InstanceIterator> m_instanceOf;
    QList<const deviceTypeInfo *> m_typeOf; // per node, null when it has none
    QHash<EdgeKey, qsizetype> m_edgeOf;
    QHash<const deviceTypeInfo *, QList<const QString *>> m_slotZero;
};

qsizetype Builder::node(const QString &name)
{
    const auto known = m_nodeOf.constFind(name);
    if (known != m_nodeOf.constEnd())
        return *known;
    const auto instance = m_instanceOf.value(name, m_catalogue.instances.constEnd());
    if (instance == m_catalogue.instances.constEnd()) {
        GraphNode missing;
        missing.name = name;
        m_graph.nodes.append(missing);
        m_typeOf.append(nullptr);
        m_nodeOf.insert(name, m_graph.nodes.size() - 1);
        return m_graph.nodes.size() - 1;
    }
    return node(instance, vrex::findDeviceType(m_catalogue.deviceTypes, instance->type));
}

qsizetype Builder::node(InstanceIterator instance, TypeIterator type)
{
    const auto known = m_nodeOf.constFind(instance.key());
    if (known != m_nodeOf.constEnd())
        return *known;
    GraphNode node;
    node.name = instance.key();
    node.instance = &*instance;
    const bool typed = type != m_catalogue.deviceTypes.constEnd();
    if (!typed)
        node.problems.append(QStringLiteral("device type %1 is not registered").arg(doubleQuoted(instance->type)));
    m_graph.nodes.append(node);
    m_typeOf.append(typed ? &*type : nullptr);
    m_nodeOf.insert(instance.key(), m_graph.nodes.size() - 1);
    return m_graph.nodes.size() - 1;
}

// The parameters of a device type that may be redirected, found once per
// type rather than once per instance.
const QList<const QString *> &Builder::slotZero(TypeIterator type)
{
    auto known = m_slotZero.find(&*type);
    if (known == m_slotZero.end()) {
        QList<const QString *> params;
        for (auto param = type->params.constBegin(); param != type->params.constEnd(); ++param) {
            if (param->slot == 0)
                params.append(&param.key());
        }
        known = m_slotZero.insert(&*type, params);
    }
    return *known;
}

void Builder::addEdge(GraphEdge::Kind kind, qsizetype from, qsizetype to, const QString &label, bool cycle,
                      bool broken)
{
    const EdgeKey key{int(kind), from, to, cycle, broken};
    const auto known = m_edgeOf.constFind(key);
    if (known != m_edgeOf.constEnd()) {
        m_graph.edges[*known].labels.append(label);
        return;
    }
    GraphEdge edge;
    edge.kind = kind;
    edge.from = from;
    edge.to = to;
    edge.labels = {label};
    edge.cycle = cycle;
    edge.broken = broken;
    m_graph.edges.append(edge);
    m_edgeOf.insert(key, m_graph.edges.size() - 1);
}

// Which redirections lie on a cycle. Each instance.parameter redirects to
// one target at most, so one walk per redirection, each taken once, finds
// them all.
QList<bool> Builder::cycles(const QList<Redirection> &redirections, const QList<qsizetype> &targets) const
{
    QHash<Pair, qsizetype> indexOf;
    indexOf.reserve(redirections.size());
    for (qsizetype i = 0; i < redirections.size(); ++i)
        indexOf.insert({redirections.at(i).from, *redirections.at(i).parameter}, i);
    QList<qsizetype> next(redirections.size(), -1);
    for (qsizetype i = 0; i < redirections.size(); ++i)
        next[i] = indexOf.value({targets.at(i), redirections.at(i).target->param}, -1);
    enum State : char { Unseen, OnWalk, Done };
    QList<State> state(redirections.size(), Unseen);
    QList<bool> onCycle(redirections.size(), false);
    QList<qsizetype> walk;
    for (qsizetype start = 0; start < redirections.size(); ++start) {
        walk.clear();
        qsizetype at = start;
        while (at >= 0 && state.at(at) == Unseen) {
            state[at] = OnWalk;
            walk.append(at);
            at = next.at(at);
        }
        if (at >= 0 && state.at(at) == OnWalk) {
            qsizetype k = at;
            do {
                onCycle[k] = true;
                k = next.at(k);
            } while (k != at);
        }
        for (qsizetype i : std::as_const(walk))
            state[i] = Done;
    }
    return onCycle;
}

// What lookupStep decides for a parameter with slot 0 on an instance with a
// complex type, taken with its own findRedirection: the instance and its
// device type are at hand here.
void Builder::addRedirections(InstanceIterator instance, TypeIterator type, QList<Redirection> &redirections)
{
    for (const QString *param : slotZero(type)) {
        const complexParam *target = nullptr;
        QString problem;
        switch (vrex::findRedirection(m_catalogue.complexTypes, instance->complex, instance.key(), *param, &target)) {
        case LookupStep::Redirected:
            redirections.append({node(instance, type), param, target});
            continue;
        case LookupStep::NoComplexType:
            problem = QStringLiteral("complex type %1 is not registered").arg(doubleQuoted(instance->complex));
            break;
        case LookupStep::NoMember:
            problem = QStringLiteral("%1: no member in %2").arg(*param, doubleQuoted(instance->complex));
            break;
        default:
            problem = QStringLiteral("%1: slot 0, no redirection in %2").arg(*param, doubleQuoted(instance->complex));
            break;
        }
        QStringList &problems = m_graph.nodes[node(instance, type)].problems;
        if (!problems.contains(problem))
            problems.append(problem);
    }
}

void Builder::drawRedirections(const QList<Redirection> &redirections)
{
    QList<qsizetype> targets;
    targets.reserve(redirections.size());
    for (const Redirection &r : redirections)
        targets.append(node(r.target->device));
    const QList<bool> onCycle = cycles(redirections, targets);
    for (qsizetype i = 0; i < redirections.size(); ++i) {
        const Redirection &r = redirections.at(i);
        const complexParam &target = *r.target;
        QString label = *r.parameter == target.param ? *r.parameter : *r.parameter + QStringLiteral(" → ") + target.param;
        // Where the lookup's next step would stop at once.
        const qsizetype to = targets.at(i);
        const deviceTypeInfo *type = m_typeOf.at(to);
        bool broken = !m_graph.nodes.at(to).instance;
        if (!broken && !target.param.isEmpty()) {
            if (!type) {
                broken = true;
                label += QStringLiteral(" (no device type)");
            } else if (!type->params.contains(target.param)) {
                broken = true;
                label += QStringLiteral(" (no such parameter)");
            }
        }
        addEdge(GraphEdge::Redirection, r.from, to, label, onCycle.at(i), broken);
    }
}

void Builder::addComposites(const QList<InstanceIterator> &composites)
{
    QSet<qsizetype> clustered;
    for (InstanceIterator composite : composites)
        clustered.insert(node(composite.key())); // in its own cluster, never another's
    for (InstanceIterator composite : composites) {
        GraphCluster cluster;
        cluster.composite = node(composite.key());
        for (auto group = composite->groups.constBegin(); group != composite->groups.constEnd(); ++group) {
            const qsizetype member = node(group.value());
            const bool missing = !m_graph.nodes.at(member).instance;
            addEdge(GraphEdge::Group, cluster.composite, member, group.key(), false, missing);
            if (!missing && !clustered.contains(member)) {
                clustered.insert(member);
                cluster.members.append(member);
            }
        }
        m_graph.clusters.append(cluster);
    }
}

void Builder::addInstances()
{
    QList<Redirection> redirections;
    QList<InstanceIterator> composites;
    const vrex::InstanceRegistry &instances = m_catalogue.instances;
    m_instanceOf.reserve(instances.size());
    for (auto it = instances.constBegin(); it != instances.constEnd(); ++it) {
        m_instanceOf.insert(it.key(), it);
        if (it->composite)
            composites.append(it);
        if (it->complex.isEmpty())
            continue;
        const auto type = vrex::findDeviceType(m_catalogue.deviceTypes, it->type);
        node(it, type);
        if (type != m_catalogue.deviceTypes.constEnd())
            addRedirections(it, type, redirections);
    }
    drawRedirections(redirections);
    addComposites(composites);
}

// Breadth first from the named nodes along (forward) or against the edges,
// at most depth edges; the distance of each node reached, -1 for the rest.
QList<int> distances(const InstallationGraph &graph, const QList<qsizetype> &starts, bool forward, int depth)
{
    QList<QList<qsizetype>> adjacent(graph.nodes.size());
    for (const GraphEdge &edge : graph.edges)
        adjacent[forward ? edge.from : edge.to].append(forward ? edge.to : edge.from);
    QList<int> distance(graph.nodes.size(), -1);
    std::deque<qsizetype> queue;
    for (qsizetype start : starts) {
        distance[start] = 0;
        queue.push_back(start);
    }
    while (!queue.empty()) {
        const qsizetype at = queue.front();
        queue.pop_front();
        if (depth >= 0 && distance.at(at) >= depth)
            continue;
        for (qsizetype next : adjacent.at(at)) {
            if (distance.at(next) < 0) {
                distance[next] = distance.at(at) + 1;
                queue.push_back(next);
            }
        }
    }
    return distance;
}

InstallationGraph Builder::select(const QStringList &names, int depth)
{
    if (names.isEmpty())
        return std::move(m_graph);
    QList<qsizetype> starts;
    for (const QString &name : names) {
        starts.append(node(name));
        m_graph.nodes[starts.constLast()].named = true;
    }
    const QList<int> reached = distances(m_graph, starts, true, depth);
    const QList<int> reaching = distances(m_graph, starts, false, depth);
    const auto within = [depth](int distance) { return distance >= 0 && (depth < 0 || distance < depth); };

    InstallationGraph selected;
    QList<qsizetype> renumbered(m_graph.nodes.size(), -1);
    for (qsizetype i = 0; i < m_graph.nodes.size(); ++i) {
        if (reached.at(i) >= 0 || reaching.at(i) >= 0) {
            renumbered[i] = selected.nodes.size();
            selected.nodes.append(m_graph.nodes.at(i));
        }
    }
    // The edges the searches went along.
    for (const GraphEdge &edge : std::as_const(m_graph.edges)) {
        if (within(reached.at(edge.from)) || within(reaching.at(edge.to))) {
            GraphEdge kept = edge;
            kept.from = renumbered.at(edge.from);
            kept.to = renumbered.at(edge.to);
            selected.edges.append(kept);
        }
    }
    for (const GraphCluster &cluster : std::as_const(m_graph.clusters)) {
        if (renumbered.at(cluster.composite) < 0)
            continue;
        GraphCluster kept{renumbered.at(cluster.composite), {}};
        for (qsizetype member : cluster.members) {
            if (renumbered.at(member) >= 0)
                kept.members.append(renumbered.at(member));
        }
        selected.clusters.append(kept);
    }
    return selected;
}

} // namespace

InstallationGraph buildGraph(const vrex::Catalogue &catalogue, const QStringList &names, int depth)
{
    Builder builder(catalogue);
    builder.addInstances();
    return builder.select(names, depth);
}

} // namespace vrexctl
