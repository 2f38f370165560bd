// Addressing one parameter of an instance, following complex-type
// redirections to the instance that really carries it.
#include "frame/diagnostics.h"
#include "instance_lookup/lookup_step.h"
#include "instance_lookup/redirection_trail.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace {

// Looks up parameter param of instance name and, while it lands on slot 0 of
// an instance with a complex type, goes on at the redirection's target.
// A loop rather than the two public functions calling each other: chains
// from generated configurations can be long, and a cycle in them must end
// in a message instead of a stack overflow.
bool resolveParameter(const QString &name, const QString &param, QString &alt_id, int *device,
                      int *offset, int *slot, char *drivertype)
{
    if (!device) {
        vrex::debugOutput("vrex_instance_lookup::lookup: no device return value");
        return false;
    }
    if (!offset) {
        vrex::debugOutput("vrex_instance_lookup::lookup: no offset return value");
        return false;
    }

    const QString *instanceName = &name;
    const QString *paramName = &param;
    // Only the first instance of a chain answers for the alternative id.
    QString *altOutput = &alt_id;
    vrex::RedirectionTrail trail;

    for (;;) {
        // The whole step is taken before any output is written: the caller
        // may have passed one string as both a name and the alternative-id
        // output.
        const vrex::LookupStep step = vrex::lookupStep(*instanceName, *paramName);
        *device = 0;
        *offset = 0;
        if (step.stop == vrex::LookupStep::NoInstance) {
            vrex::debugOutput(QStringLiteral("vrex_instance_lookup::lookup: can't find instance\n")
                              + *instanceName);
            return false;
        }
        *device = step.instance->device;
        *offset = step.instance->offset;
        if (altOutput) {
            *altOutput = step.instance->alt_id;
            altOutput = nullptr;
        }

        if (!slot || step.stop == vrex::LookupStep::NoParameterName)
            return true;
        *slot = 0;
        if (step.stop == vrex::LookupStep::NoDeviceType)
            return false;
        if (drivertype)
            *drivertype = vrex::driverTypeByte(step.deviceType->drivertype);
        if (step.stop == vrex::LookupStep::NoParameter)
            return false;
        *slot = step.parameter->slot;
        if (step.stop == vrex::LookupStep::Resolved)
            return true;
        if (step.stop != vrex::LookupStep::Redirected)
            return false;

        // Checked before the target's step runs, so the outputs keep what
        // the last distinct step wrote.
        const complexParam *redirection = step.redirection;
        if (trail.isEmpty())
            trail.insert(step.instance.key(), step.parameter.key());
        if (!trail.insert(redirection->device, redirection->param)) {
            vrex::debugOutput(QStringLiteral("vrex_instance_lookup::lookup: redirection cycle at ")
                              + redirection->device + QLatin1Char('.') + redirection->param);
            return false;
        }
        instanceName = &redirection->device;
        paramName = &redirection->param;
    }
}

} // namespace

bool vrex_instance_lookup::lookup(const QString &name, const QString &param, QString &alt_id,
                                  int *device, int *offset, int *slot, char *drivertype)
{
    return resolveParameter(name, param, alt_id, device, offset, slot, drivertype);
}

bool vrex_instance_lookup::lookupComplex(const QString &complexName, const QString &member,
                                         const QString &param, QString &alt_id, int *device,
                                         int *offset, int *slot, char *drivertype)
{
    const complexParam *redirection = nullptr;
    if (vrex::findRedirection(complexName, member, param, &redirection) != vrex::LookupStep::Redirected)
        return false;
    return resolveParameter(redirection->device, redirection->param, alt_id, device, offset,
                            slot, drivertype);
}
