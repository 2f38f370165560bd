// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/registry_checks.h"

#include "checks/name_suggestion.h"
#include "checks/redirection_chain.h"

#include "instance_lookup/device_type_key.h"

#include <QtCore/QSet>

#include <algorithm>

namespace vrexctl {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

class RegistryCheck
{
public:
    RegistryCheck(const vrex::Catalogue &catalogue, const DefinitionIndex &index, FindingList &findings,
                  RegistryScope *scope)
        : m_catalogue(catalogue), m_index(index), m_findings(findings), m_scope(scope)
    {
    }

    void run()
    {
        checkInstances();
        checkComplexTypes();
        checkRedirectionChains();
    }

private:
    const vrex::Catalogue m_catalogue;
    const vrex::InstanceRegistry &instances = m_catalogue.instances;
    const vrex::DeviceTypeRegistry &deviceTypes = m_catalogue.deviceTypes;
    const vrex::ComplexTypeRegistry &complexTypes = m_catalogue.complexTypes;

    Place instancePlace(const QString &name) const
    {
        const DefinitionIndex::Position position = m_index.instances.value(name);
        return {m_index.instancesFile, position.line, position.column};
    }

    Place redirectionPlace(const QString &type, const QString &member, const QString &param) const
    {
        const auto file = m_index.complexTypes.constFind(type);
        if (file == m_index.complexTypes.constEnd())
            return {};
        return file->redirections.value({member, param}, Place{file->path, 0, 0});
    }

    void add(const Place &place, Finding::Severity severity, const char *code, const QString &message,
             const QString &suggestion = QString(), const QList<RelatedPlace> &related = {})
    {
        // One report per place and code, however many chains lead there.
        const QString key = place.file + QLatin1Char(':') + QString::number(place.line) + QLatin1Char(':')
                + QString::number(place.column) + QLatin1Char(':') + QLatin1String(code) + message;
        if (m_reported.contains(key))
            return;
        m_reported.insert(key);
        Finding finding;
        finding.place = place;
        finding.severity = severity;
        finding.code = QLatin1String(code);
        finding.message = message;
        finding.suggestion = suggestion;
        finding.related = related;
        m_findings.add(finding);
    }

    // Whether the scope covers an entry; what it covers is reported on its own.
    bool covers(bool (RegistryScope::*asks)(const QString &), const QString &name)
    {
        if (!m_scope)
            return true;
        m_reported.clear();
        return (m_scope->*asks)(name);
    }

    QString suggestInstance(const QString &name)
    {
        if (m_instanceNames.isEmpty())
            m_instanceNames = instances.keys();
        return suggestName(name, m_instanceNames);
    }

    // Instances that name something unknown.
    void checkInstances()
    {
        for (auto it = instances.cbegin(); it != instances.cend(); ++it) {
            if (!covers(&RegistryScope::coversInstance, it.key()))
                continue;
            if (!isDeviceType(it->type) && !m_findings.fold(deviceTypesDirectoryCause())) {
                add(instancePlace(it.key()), Finding::Error, "unknown-device-type",
                    QStringLiteral("instance %1 names device type %2, which has no device-type file")
                            .arg(quoted(it.key()), quoted(it->type)),
                    suggestKey(vrex::deviceTypeKey(it->type), deviceTypes));
            }
            for (auto group = it->groups.cbegin(); group != it->groups.cend(); ++group) {
                if (!isInstance(group.value())) {
                    add(instancePlace(it.key()), Finding::Error, "unknown-instance",
                        QStringLiteral("group %1 of instance %2 names instance %3, which is not in the "
                                       "instances file")
                                .arg(quoted(group.key()), quoted(it.key()), quoted(group.value())),
                        suggestInstance(group.value()));
                }
            }
            if (!it->complex.isEmpty() && !complexTypes.contains(it->complex)
                && !m_findings.fold(complexTypesDirectoryCause())) {
                add(instancePlace(it.key()), Finding::Error, "unknown-complex-type",
                    QStringLiteral("instance %1 names complex type %2, which has no complex-type file")
                            .arg(quoted(it.key()), quoted(it->complex)),
                    suggestKey(it->complex, complexTypes));
            }
        }
    }

    // Members that are no instance, redirections of parameters the member
    // does not have, redirections to instances that do not exist.
    void checkComplexTypes()
    {
        for (auto type = complexTypes.cbegin(); type != complexTypes.cend(); ++type) {
            if (!covers(&RegistryScope::coversComplexType, type.key()))
                continue;
            const auto file = m_index.complexTypes.constFind(type.key());
            if (file == m_index.complexTypes.constEnd())
                continue;
            for (auto member = type->members.cbegin(); member != type->members.cend(); ++member) {
                const auto instance = instances.constFind(member.key());
                if (instance == instances.cend()) {
                    if (!m_findings.fold(instancesCause())) {
                        add(file->members.value(member.key()), Finding::Warning, "unknown-member",
                            QStringLiteral("member %1 of complex type %2 is no instance; its redirections "
                                           "are never used")
                                    .arg(quoted(member.key()), quoted(type.key())),
                            suggestInstance(member.key()));
                    }
                } else {
                    checkRedirectionIds(type.key(), member.key(), *instance, member->params);
                }
                for (auto param = member->params.cbegin(); param != member->params.cend(); ++param) {
                    if (isInstance(param->device) || m_findings.fold(instancesCause()))
                        continue;
                    add(redirectionPlace(type.key(), member.key(), param.key()), Finding::Error,
                        "unknown-instance",
                        QStringLiteral("redirection %1 of member %2 names instance %3, which is not in "
                                       "the instances file")
                                .arg(quoted(param.key()), quoted(member.key()), quoted(param->device)),
                        suggestInstance(param->device));
                }
            }
        }
    }

    void checkRedirectionIds(const QString &type, const QString &member, const instanceInfo &instance,
                             const QMap<QString, complexParam> &params)
    {
        const QString key = vrex::deviceTypeKey(instance.type);
        const auto deviceType = vrex::findDeviceType(deviceTypes, instance.type);
        if (deviceType == deviceTypes.cend())
            return; // reported with the instance
        for (auto param = params.cbegin(); param != params.cend(); ++param) {
            if (deviceType->params.contains(param.key()) || m_findings.fold(deviceTypeCause(key)))
                continue;
            add(redirectionPlace(type, member, param.key()), Finding::Warning, "unknown-redirection-id",
                QStringLiteral("redirection %1 is no parameter of device type %2 (of member %3); it is "
                               "never used")
                        .arg(quoted(param.key()), quoted(instance.type), quoted(member)),
                suggestKey(param.key(), deviceType->params));
        }
    }

    // Where a chain's step came from: the redirection that led there, or
    // the instance itself for the first step.
    Place stepPlace(const RedirectionChain &chain, qsizetype step) const
    {
        if (step == 0)
            return instancePlace(chain.steps.constFirst().instance);
        const ParameterRef &from = chain.steps.at(step - 1);
        return redirectionPlace(instances.value(from.instance).complex, from.instance, from.parameter);
    }

    void reportCycle(const RedirectionChain &chain)
    {
        // The cycle, from its smallest step, so each entry into it reports alike.
        const qsizetype start = chain.steps.indexOf(chain.steps.constLast());
        QList<qsizetype> cycle;
        for (qsizetype i = start + 1; i < chain.steps.size(); ++i)
            cycle.append(i);
        std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end(), [&](qsizetype a, qsizetype b) {
                        return chain.steps.at(a - 1).toString() < chain.steps.at(b - 1).toString();
                    }), cycle.end());
        QStringList path;
        for (qsizetype i : cycle)
            path.append(chain.steps.at(i - 1).toString());
        path.append(path.constFirst());
        QList<RelatedPlace> related;
        for (qsizetype i = 1; i < cycle.size(); ++i)
            related.append({stepPlace(chain, cycle.at(i)), QStringLiteral("the cycle continues here")});
        add(stepPlace(chain, cycle.constFirst()), Finding::Error, "redirection-cycle",
            QStringLiteral("redirections form a cycle: ") + path.join(QStringLiteral(" -> ")), {}, related);
    }

    void reportBreak(const RedirectionChain &chain)
    {
        const qsizetype last = chain.steps.size() - 1;
        const ParameterRef &step = chain.steps.at(last);
        const instanceInfo info = instances.value(step.instance);
        switch (chain.breakKind) {
        case RedirectionChain::UnknownParameter: {
            const QString key = vrex::deviceTypeKey(info.type);
            if (m_findings.fold(deviceTypeCause(key)))
                return;
            add(stepPlace(chain, last), Finding::Error, "unknown-parameter",
                QStringLiteral("redirection to %1: device type %2 has no parameter %3")
                        .arg(quoted(step.toString()), quoted(info.type), quoted(step.parameter)),
                suggestKey(step.parameter, deviceTypes.value(key).params));
            return;
        }
        case RedirectionChain::UnknownMember:
        case RedirectionChain::NoRedirection: {
            if (m_findings.fold(complexTypeCause(info.complex)))
                return;
            QList<RelatedPlace> related;
            const auto file = m_index.deviceTypes.constFind(vrex::deviceTypeKey(info.type));
            if (file != m_index.deviceTypes.constEnd() && file->params.contains(step.parameter))
                related.append({file->params.value(step.parameter), QStringLiteral("slot 0 is set here")});
            if (chain.breakKind == RedirectionChain::UnknownMember) {
                // One report for all of the instance's slot-0 parameters.
                add(stepPlace(chain, last), Finding::Error, "missing-redirection",
                    QStringLiteral("instance %1 names complex type %2, which has no member %1; its "
                                   "slot-0 parameters are not redirected")
                            .arg(quoted(step.instance), quoted(info.complex)));
                return;
            }
            add(stepPlace(chain, last), Finding::Error, "missing-redirection",
                QStringLiteral("%1 has slot 0 and complex type %2 has no redirection for it")
                        .arg(quoted(step.toString()), quoted(info.complex)),
                {}, related);
            return;
        }
        default:
            return; // unknown instances and types are reported where they are named
        }
    }

    // Every parameter the library would redirect: slot 0 on an instance
    // with a complex type.
    void checkRedirectionChains()
    {
        for (auto it = instances.cbegin(); it != instances.cend(); ++it) {
            if (it->complex.isEmpty() || !covers(&RegistryScope::coversInstance, it.key()))
                continue;
            const auto type = vrex::findDeviceType(deviceTypes, it->type);
            if (type == deviceTypes.constEnd())
                continue;
            for (auto param = type->params.cbegin(); param != type->params.cend(); ++param) {
                if (param->slot != 0)
                    continue;
                const RedirectionChain chain = followRedirections(m_catalogue, it.key(), param.key());
                if (chain.outcome == RedirectionChain::Cycle)
                    reportCycle(chain);
                else if (chain.outcome == RedirectionChain::Broken)
                    reportBreak(chain);
            }
        }
    }

    bool isInstance(const QString &name) const { return instances.contains(name); }

    // Instances spell a few device type names over and over: each spelling
    // is folded and looked up once.
    bool isDeviceType(const QString &type)
    {
        const auto known = m_typeSpellings.constFind(type);
        if (known != m_typeSpellings.constEnd())
            return *known;
        const bool found = vrex::findDeviceType(deviceTypes, type) != deviceTypes.cend();
        m_typeSpellings.insert(type, found);
        return found;
    }

    const DefinitionIndex &m_index;
    QHash<QString, bool> m_typeSpellings;
    FindingList &m_findings;
    RegistryScope *m_scope;
    QSet<QString> m_reported;
    QStringList m_instanceNames;
};

} // namespace

RegistryCounts countRegistries(const vrex::Installation &installation)
{
    RegistryCounts counts;
    counts.styles = int(installation.styles().size());
    counts.instances = int(installation.instances().size());
    counts.deviceTypes = int(installation.deviceTypes().size());
    counts.complexTypes = int(installation.complexTypes().size());
    for (const complexType &type : installation.complexTypes()) {
        for (const complexInstance &member : type.members)
            counts.redirections += int(member.params.size());
    }
    return counts;
}

void checkRegistries(const vrex::Catalogue &catalogue, const DefinitionIndex &index, FindingList &findings,
                     RegistryScope *scope)
{
    RegistryCheck(catalogue, index, findings, scope).run();
}

} // namespace vrexctl
