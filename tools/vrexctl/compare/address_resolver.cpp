#include "compare/address_resolver.h"

#include "instance_lookup/device_type_key.h"
#include "instance_lookup/lookup_step.h"
#include "instance_lookup/redirection_trail.h"

#include <QtCore/QVarLengthArray>

namespace vrexctl {

namespace {

int drivertypeOf(const vrex::LookupStep &step)
{
    return vrex::driverTypeNumber(vrex::driverTypeByte(step.deviceType->drivertype));
}

} // namespace

// Follows vrex::lookupParameter step for step: the last step's numbers,
// the slot and driver type as last written, the first instance's
// alternative id, and false on a break or a cycle.
ResolvedAddress AddressResolver::resolve(const QString &instance, const QString &parameter)
{
    using vrex::LookupStep;
    ResolvedAddress answer;
    LookupStep step = vrex::lookupStep(m_catalogue, instance, parameter);
    if (step.stop == LookupStep::NoInstance)
        return answer;
    answer.altId = step.instance->alt_id;

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
        if (step.stop == LookupStep::NoDeviceType)
            break;
        end.drivertype = drivertypeOf(step);
        if (step.stop == LookupStep::NoParameter)
            break;
        end.slot = step.parameter->slot;
        if (step.stop == LookupStep::Resolved) {
            end.resolves = true;
            break;
        }
        if (step.stop != LookupStep::Redirected)
            break;

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
            break;
        }
        walked.append(target);
        step = vrex::lookupStep(m_catalogue, redirection->device, redirection->param);
        if (step.stop == LookupStep::NoInstance) {
            end = End();
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
