#include "redirection_chain.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QStringList>

namespace vrexctl {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

RedirectionChain &breakAt(RedirectionChain &chain, RedirectionChain::Break kind,
                          const QString &reason)
{
    chain.outcome = RedirectionChain::Broken;
    chain.breakKind = kind;
    chain.reason = reason;
    return chain;
}

} // namespace

QStringList RedirectionChain::hopTexts() const
{
    QStringList hops;
    for (qsizetype i = 1; i < steps.size(); ++i)
        hops.append(steps.at(i - 1).toString() + QStringLiteral(" -> ") + steps.at(i).toString());
    return hops;
}

InstanceIndex indexInstances()
{
    InstanceIndex index;
    const auto &instances = vrex_instance_lookup::instances;
    index.reserve(instances.size());
    for (auto it = instances.cbegin(); it != instances.cend(); ++it)
        index.insert(it.key(), &it.value());
    return index;
}

RedirectionChain followRedirections(const QString &instance, const QString &parameter,
                                    const InstanceIndex *index)
{
    const auto &instances = vrex_instance_lookup::instances;
    const auto &deviceTypes = vrex_instance_lookup::deviceTypes;
    const auto &complexTypes = vrex_instance_lookup::complexTypes;

    RedirectionChain chain;
    chain.steps.append({instance, parameter});
    for (;;) {
        const ParameterRef current = chain.steps.constLast();
        const instanceInfo *info = nullptr;
        if (index) {
            info = index->value(current.instance);
        } else if (const auto found = instances.constFind(current.instance); found != instances.constEnd()) {
            info = &found.value();
        }
        if (!info) {
            return breakAt(chain, RedirectionChain::UnknownInstance,
                           QStringLiteral("instance %1 is not in the instances file")
                                   .arg(quoted(current.instance)));
        }
        // The library answers an empty parameter name with the instance's
        // own numbers, without looking at device types.
        if (current.parameter.isEmpty())
            return chain;

        const auto type = deviceTypes.constFind(info->type.toLower());
        if (type == deviceTypes.constEnd()) {
            return breakAt(chain, RedirectionChain::UnknownDeviceType,
                           QStringLiteral("device type %1 of instance %2 is not registered")
                                   .arg(quoted(info->type), quoted(current.instance)));
        }
        const auto param = type->params.constFind(current.parameter);
        if (param == type->params.constEnd()) {
            return breakAt(chain, RedirectionChain::UnknownParameter,
                           QStringLiteral("device type %1 has no parameter %2")
                                   .arg(quoted(info->type), quoted(current.parameter)));
        }
        if (param->slot != 0 || info->complex.isEmpty())
            return chain;

        const auto complex = complexTypes.constFind(info->complex);
        if (complex == complexTypes.constEnd()) {
            return breakAt(chain, RedirectionChain::UnknownComplexType,
                           QStringLiteral("complex type %1 of instance %2 is not registered")
                                   .arg(quoted(info->complex), quoted(current.instance)));
        }
        const auto member = complex->members.constFind(current.instance);
        if (member == complex->members.constEnd()) {
            return breakAt(chain, RedirectionChain::UnknownMember,
                           QStringLiteral("complex type %1 has no member %2")
                                   .arg(quoted(info->complex), quoted(current.instance)));
        }
        const auto redirection = member->params.constFind(current.parameter);
        if (redirection == member->params.constEnd()) {
            return breakAt(chain, RedirectionChain::NoRedirection,
                           QStringLiteral("slot 0 and no redirection in complex type %1")
                                   .arg(quoted(info->complex)));
        }

        const ParameterRef next{redirection->device, redirection->param};
        const bool repeated = chain.steps.contains(next);
        chain.steps.append(next);
        if (repeated) {
            chain.outcome = RedirectionChain::Cycle;
            QStringList path;
            for (const ParameterRef &step : std::as_const(chain.steps))
                path.append(step.toString());
            chain.reason = QStringLiteral("redirection cycle: ") + path.join(QStringLiteral(" -> "));
            return chain;
        }
    }
}

} // namespace vrexctl
