// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/redirection_chain.h"

#include "instance_lookup/lookup_step.h"
#include "instance_lookup/redirection_trail.h"
#include "output/quoting.h"

#include <QtCore/QStringList>

namespace vrexctl {

namespace {

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

RedirectionChain followRedirections(const vrex::Catalogue &catalogue, const QString &instance,
                                    const QString &parameter)
{
    using vrex::LookupStep;
    RedirectionChain chain;
    chain.steps.append({instance, parameter});
    // The library's own trail: every pair is looked at once, so a chain of
    // any length is followed in linear time.
    vrex::RedirectionTrail trail;
    for (;;) {
        const ParameterRef current = chain.steps.constLast();
        const LookupStep step = vrex::lookupStep(catalogue, current.instance, current.parameter);
        const instanceInfo *info = step.stop == LookupStep::NoInstance ? nullptr : &*step.instance;
        switch (step.stop) {
        case LookupStep::NoInstance:
            return breakAt(chain, RedirectionChain::UnknownInstance,
                           QStringLiteral("instance %1 is not in the instances file")
                                   .arg(doubleQuoted(current.instance)));
        case LookupStep::NoParameterName: // the instance's own numbers answer
        case LookupStep::Resolved:
            return chain;
        case LookupStep::NoDeviceType:
            return breakAt(chain, RedirectionChain::UnknownDeviceType,
                           QStringLiteral("device type %1 of instance %2 is not registered")
                                   .arg(doubleQuoted(info->type), doubleQuoted(current.instance)));
        case LookupStep::NoParameter:
            return breakAt(chain, RedirectionChain::UnknownParameter,
                           QStringLiteral("device type %1 has no parameter %2")
                                   .arg(doubleQuoted(info->type), doubleQuoted(current.parameter)));
        case LookupStep::NoComplexType:
            return breakAt(chain, RedirectionChain::UnknownComplexType,
                           QStringLiteral("complex type %1 of instance %2 is not registered")
                                   .arg(doubleQuoted(info->complex), doubleQuoted(current.instance)));
        case LookupStep::NoMember:
            return breakAt(chain, RedirectionChain::UnknownMember,
                           QStringLiteral("complex type %1 has no member %2")
                                   .arg(doubleQuoted(info->complex), doubleQuoted(current.instance)));
        case LookupStep::NoRedirection:
            return breakAt(chain, RedirectionChain::NoRedirection,
                           QStringLiteral("slot 0 and no redirection in complex type %1")
                                   .arg(doubleQuoted(info->complex)));
        case LookupStep::Redirected:
            break;
        }
        if (!trail.insert(step.instance.key(), step.parameter.key())) {
            // The last step repeats an earlier one.
            chain.outcome = RedirectionChain::Cycle;
            QStringList path;
            for (const ParameterRef &hop : std::as_const(chain.steps))
                path.append(hop.toString());
            chain.reason = QStringLiteral("redirection cycle: ") + path.join(QStringLiteral(" -> "));
            return chain;
        }
        chain.complexes.append(info->complex);
        chain.steps.append({step.redirection->device, step.redirection->param});
    }
}

} // namespace vrexctl
