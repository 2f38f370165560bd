#include "configuration_check.h"

#include "redirection_chain.h"

#include "instance_lookup/device_type_key.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QSet>

#include <algorithm>

namespace vrexctl {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void checkInstances(QVector<Problem> &problems)
{
    const auto &instances = vrex_instance_lookup::instances;
    for (auto it = instances.cbegin(); it != instances.cend(); ++it) {
        if (vrex::findDeviceType(it->type) == vrex_instance_lookup::deviceTypes.cend()) {
            problems.append({QStringLiteral("device-type"),
                             QStringLiteral("instance %1: device type %2 is not registered")
                                     .arg(quoted(it.key()), quoted(it->type))});
        }
        for (auto group = it->groups.cbegin(); group != it->groups.cend(); ++group) {
            if (!instances.contains(group.value())) {
                problems.append({QStringLiteral("group"),
                                 QStringLiteral("instance %1: group %2 names unknown instance %3")
                                         .arg(quoted(it.key()), quoted(group.key()),
                                              quoted(group.value()))});
            }
        }
        if (!it->complex.isEmpty() && !vrex_instance_lookup::complexTypes.contains(it->complex)) {
            problems.append({QStringLiteral("complex-type"),
                             QStringLiteral("instance %1: complex type %2 is not registered")
                                     .arg(quoted(it.key()), quoted(it->complex))});
        }
    }
}

void checkRedirectionTargets(QVector<Problem> &problems)
{
    const auto &types = vrex_instance_lookup::complexTypes;
    for (auto type = types.cbegin(); type != types.cend(); ++type) {
        for (auto member = type->members.cbegin(); member != type->members.cend(); ++member) {
            for (auto param = member->params.cbegin(); param != member->params.cend(); ++param) {
                if (vrex_instance_lookup::instances.contains(param->device))
                    continue;
                problems.append({QStringLiteral("redirection"),
                                 QStringLiteral("complex type %1: %2 -> %3 names unknown instance %4")
                                         .arg(quoted(type.key()),
                                              member.key() + QLatin1Char('.') + param.key(),
                                              param->device + QLatin1Char('.') + param->param,
                                              quoted(param->device))});
            }
        }
    }
}

// The cycle part of a chain that ends in a repeat, rotated to start at its
// smallest step, so that every entry into one cycle reports it alike.
QString canonicalCycle(const RedirectionChain &chain)
{
    const ParameterRef &repeated = chain.steps.constLast();
    const qsizetype start = chain.steps.indexOf(repeated);
    QStringList cycle;
    for (qsizetype i = start; i + 1 < chain.steps.size(); ++i)
        cycle.append(chain.steps.at(i).toString());
    std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
    cycle.append(cycle.constFirst());
    return QStringLiteral("redirection cycle: ") + cycle.join(QStringLiteral(" -> "));
}

// Every parameter that the library would redirect: slot 0 on an instance
// with a complex type. Breaks that the checks above already report (unknown
// instance, device type or complex type) are not repeated here.
void checkRedirectionChains(QVector<Problem> &problems)
{
    QSet<QString> seen;
    const auto &instances = vrex_instance_lookup::instances;
    for (auto it = instances.cbegin(); it != instances.cend(); ++it) {
        if (it->complex.isEmpty())
            continue;
        const auto type = vrex::findDeviceType(it->type);
        if (type == vrex_instance_lookup::deviceTypes.constEnd())
            continue;
        for (auto param = type->params.cbegin(); param != type->params.cend(); ++param) {
            if (param->slot != 0)
                continue;
            const RedirectionChain chain = followRedirections(it.key(), param.key());
            Problem problem;
            if (chain.outcome == RedirectionChain::Cycle) {
                problem = {QStringLiteral("cycle"), canonicalCycle(chain)};
            } else if (chain.outcome == RedirectionChain::Broken
                       && (chain.breakKind == RedirectionChain::UnknownParameter
                           || chain.breakKind == RedirectionChain::UnknownMember
                           || chain.breakKind == RedirectionChain::NoRedirection)) {
                problem = {QStringLiteral("unresolved"),
                           chain.steps.constLast().toString() + QStringLiteral(": ") + chain.reason};
            } else {
                continue;
            }
            if (!seen.contains(problem.message)) {
                seen.insert(problem.message);
                problems.append(problem);
            }
        }
    }
}

} // namespace

RegistryCounts countRegistries()
{
    RegistryCounts counts;
    counts.styles = vrex_stylesheet::count();
    counts.instances = vrex_instance_lookup::countInstances();
    counts.deviceTypes = vrex_instance_lookup::countDeviceTypes();
    counts.complexTypes = vrex_instance_lookup::countComplexTypes();
    for (const complexType &type : std::as_const(vrex_instance_lookup::complexTypes)) {
        for (const complexInstance &member : type.members)
            counts.redirections += int(member.params.size());
    }
    return counts;
}

QVector<Problem> findProblems(const QVector<Diagnostic> &loadDiagnostics)
{
    QVector<Problem> problems;
    // The loaders write only when something is wrong with a file.
    for (const Diagnostic &diagnostic : loadDiagnostics)
        problems.append({QStringLiteral("loader"), diagnostic.text.simplified()});
    checkInstances(problems);
    checkRedirectionTargets(problems);
    checkRedirectionChains(problems);
    return problems;
}

} // namespace vrexctl
