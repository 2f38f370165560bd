// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "compare/address_resolver.h"

#include "instance_lookup/device_type_key.h"
#include "instance_lookup/lookup_step.h"
#include "instance_lookup/redirection_trail.h"
#include "output/quoting.h"

#include <QtCore/QVarLengthArray>

namespace vrexctl {

namespace {

int drivertypeOf(const vrex::LookupStep &step)
{
    return vrex::driverTypeNumber(vrex::driverTypeByte(step.deviceType->drivertype));
}

ChainBreak breakOf(const vrex::LookupStep &step, QStringView instance, QStringView parameter)
{
    using vrex::LookupStep;
    ChainBreak stopped{ChainBreak::None, instance, parameter,
                       step.stop == LookupStep::NoInstance ? nullptr : &*step.instance};
    switch (step.stop) {
    case LookupStep::NoInstance: stopped.kind = ChainBreak::NoInstance; break;
    case LookupStep::NoDeviceType: stopped.kind = ChainBreak::NoDeviceType; break;
    case LookupStep::NoParameter: stopped.kind = ChainBreak::NoParameter; break;
    case LookupStep::NoComplexType: stopped.kind = ChainBreak::NoComplexType; break;
    case LookupStep::NoMember: stopped.kind = ChainBreak::NoMember; break;
    case LookupStep::NoRedirection: stopped.kind = ChainBreak::NoRedirection; break;
    default: break;
    }
    return stopped;
}

} // namespace

QString failureText(const ResolvedAddress &answer, const QString &instance, const QString &parameter)
{
    const ChainBreak &at = answer.stopped;
    if (at.kind == ChainBreak::NoInstance && at.instance == instance && at.parameter == parameter)
        return QStringLiteral("no instance");
    const QString name = at.instance.toString();
    QString reason;
    switch (at.kind) {
    case ChainBreak::NoInstance:
        reason = QStringLiteral("instance %1 is not in the instances file").arg(doubleQuoted(name));
        break;
    case ChainBreak::NoDeviceType:
        reason = QStringLiteral("device type %1 of instance %2 is not registered").arg(doubleQuoted(at.info->type), doubleQuoted(name));
        break;
    case ChainBreak::NoParameter:
        reason = QStringLiteral("device type %1 has no parameter %2").arg(doubleQuoted(at.info->type), doubleQuoted(at.parameter));
        break;
    case ChainBreak::NoComplexType:
        reason = QStringLiteral("complex type %1 of instance %2 is not registered")
                         .arg(doubleQuoted(at.info->complex), doubleQuoted(name));
        break;
    case ChainBreak::NoMember:
        reason = QStringLiteral("complex type %1 has no member %2").arg(doubleQuoted(at.info->complex), doubleQuoted(name));
        break;
    case ChainBreak::NoRedirection:
        reason = QStringLiteral("slot 0 and no redirection in complex type %1").arg(doubleQuoted(at.info->complex));
        break;
    case ChainBreak::Cycle:
        return QStringLiteral("redirection cycle at %1.%2").arg(name, at.parameter);
    case ChainBreak::None:
        break;
    }
    if (at.instance == instance && at.parameter == parameter)
        return reason;
    return QStringLiteral("at %1.%2: %3").arg(name, at.parameter, reason);
}

// Follows vrex::lookupParameter step for step: the last step's numbers,
// the slot and driver type as last written, the first instance's
// alternative id, and false on a break or a cycle.
ResolvedAddress AddressResolver::resolve(const QString &instance, const QString &parameter)
{
    using vrex::LookupStep;
    ResolvedAddress answer;
    LookupStep step = vrex::lookupStep(m_catalogue, instance, parameter);
    if (step.stop == LookupStep::NoInstance) {
        answer.stopped = breakOf(step, instance, parameter);
        return answer;
    }
    answer.altId = step.instance->alt_id;
    QStringView at = instance; // the pair this step is for
    QStringView atParameter = parameter;

    End end;
    QVarLengthArray<Pair, 8> walked; // targets whose end this walk finds
    vrex::RedirectionTrail trail;
    for (;;) {
        end.device = step.instance->device;
        end.offset = step.instance->offset;
        if (step.stop == LookupStep::NoParameterName) {
            end.resolves = true;
            // The slot and driver type keep what the step before wrote; the
            // pair itself is not remembered, as its predecessors differ.
            end.hasSlot = !walked.isEmpty();
            if (!walked.isEmpty())
                walked.removeLast();
            break;
        }
        if (step.stop == LookupStep::NoDeviceType) {
            end.stopped = breakOf(step, at, atParameter);
            break;
        }
        end.drivertype = drivertypeOf(step);
        if (step.stop == LookupStep::NoParameter) {
            end.stopped = breakOf(step, at, atParameter);
            break;
        }
        end.slot = step.parameter->slot;
        if (step.stop == LookupStep::Resolved) {
            end.resolves = true;
            break;
        }
        if (step.stop != LookupStep::Redirected) {
            end.stopped = breakOf(step, at, atParameter);
            break;
        }

        const complexParam *redirection = step.redirection;
        if (trail.isEmpty())
            trail.insert(step.instance.key(), step.parameter.key());
        const Pair target{redirection->device, redirection->param};
        const auto known = m_endOf.constFind(target);
        if (known != m_endOf.constEnd()) {
            end = m_ends.at(*known);
            break;
        }
        if (!trail.insert(target.instance, target.parameter)) {
            end = End(); // a cycle: false
            end.stopped = {ChainBreak::Cycle, target.instance, target.parameter, nullptr};
            break;
        }
        walked.append(target);
        at = target.instance;
        atParameter = target.parameter;
        step = vrex::lookupStep(m_catalogue, redirection->device, redirection->param);
        if (step.stop == LookupStep::NoInstance) {
            end = End();
            end.stopped = breakOf(step, at, atParameter);
            break;
        }
    }
    if (!walked.isEmpty()) {
        const qsizetype index = m_ends.size();
        m_ends.append(end);
        for (const Pair &pair : walked)
            m_endOf.insert(pair, index);
    }

    answer.resolves = end.resolves;
    answer.stopped = end.stopped;
    answer.hasSlot = end.hasSlot;
    if (end.resolves) {
        answer.device = end.device;
        answer.offset = end.offset;
        answer.slot = end.slot;
        answer.drivertype = end.drivertype;
    }
    return answer;
}

} // namespace vrexctl
