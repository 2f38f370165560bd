// Addressing one parameter of an instance, following complex-type
// redirections to the instance that really carries it.
#include "frame/diagnostics.h"
#include "instance_lookup/device_type_key.h"
#include "instance_lookup/redirection_trail.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace {

// The redirection of parameter param of member in complex type complexName,
// or nullptr. Points into complexTypes, which no lookup changes.
const complexParam *findRedirection(const QString &complexName, const QString &member,
                                    const QString &param)
{
    const QMap<QString, complexType> &types = vrex_instance_lookup::complexTypes;
    const auto type = types.constFind(complexName);
    if (type == types.constEnd())
        return nullptr;
    const auto instance = type->members.constFind(member);
    if (instance == type->members.constEnd())
        return nullptr;
    const auto redirection = instance->params.constFind(param);
    if (redirection == instance->params.constEnd())
        return nullptr;
    return &*redirection;
}

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

    const QMap<QString, instanceInfo> &instances = vrex_instance_lookup::instances;
    const QString *instanceName = &name;
    const QString *paramName = &param;
    // Only the first instance of a chain answers for the alternative id.
    QString *altOutput = &alt_id;
    vrex::RedirectionTrail trail;

    for (;;) {
        *device = 0;
        *offset = 0;
        const auto instance = instances.constFind(*instanceName);
        if (instance == instances.constEnd()) {
            vrex::debugOutput(QStringLiteral("vrex_instance_lookup::lookup: can't find instance\n")
                              + *instanceName);
            return false;
        }
        *device = instance->device;
        *offset = instance->offset;
        if (altOutput) {
            *altOutput = instance->alt_id;
            altOutput = nullptr;
        }

        if (!slot || paramName->isEmpty())
            return true;
        *slot = 0;

        const auto type = vrex::findDeviceType(instance->type);
        if (type == vrex_instance_lookup::deviceTypes.constEnd())
            return false;
        if (drivertype) {
            // The code as a number; only its low byte fits.
            *drivertype = static_cast<char>(static_cast<unsigned char>(type->drivertype));
        }

        const auto parameter = type->params.constFind(*paramName);
        if (parameter == type->params.constEnd())
            return false;
        *slot = parameter->slot;
        if (parameter->slot != 0 || instance->complex.isEmpty())
            return true;

        // The registry's own keys from here on: the caller may have passed
        // one string as both a name and the alternative-id output.
        const QString &currentName = instance.key();
        const QString &currentParam = parameter.key();
        const complexParam *redirection =
                findRedirection(instance->complex, currentName, currentParam);
        if (!redirection)
            return false;

        // Checked before the target's step runs, so the outputs keep what
        // the last distinct step wrote.
        if (trail.isEmpty())
            trail.insert(currentName, currentParam);
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
    const complexParam *redirection = findRedirection(complexName, member, param);
    if (!redirection)
        return false;
    return resolveParameter(redirection->device, redirection->param, alt_id, device, offset,
                            slot, drivertype);
}
