// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// One step of a parameter lookup over a catalogue: the instance,
// its device type, the parameter and, where the parameter stands for
// another one, the redirection to follow. The library's lookups and
// vrexctl walk chains with this one step and differ only in what they
// report.
#ifndef VREX_INSTANCE_LOOKUP_LOOKUP_STEP_H
#define VREX_INSTANCE_LOOKUP_LOOKUP_STEP_H

#include "instance_lookup/catalogue.h"
#include "instance_lookup/device_type_key.h"

namespace vrex {

struct LookupStep
{
    enum Stop {
        NoInstance,    // the instance is not registered
        NoParameterName, // an empty parameter name: the instance's numbers are the answer
        NoDeviceType,  // the instance's device type is not registered
        NoParameter,   // the device type has no such parameter
        Resolved,      // the parameter's slot is the answer
        NoComplexType, // slot 0, and the instance's complex type is not registered
        NoMember,      // ... or it has no member of the instance's name
        NoRedirection, // ... or the member does not redirect the parameter
        Redirected,    // go on at redirection->device, redirection->param
    };

    Stop stop = NoInstance;
    QMap<QString, instanceInfo>::const_iterator instance;
    QMap<QString, deviceTypeInfo>::const_iterator deviceType;
    QMap<QString, paramInfo>::const_iterator parameter;
    const complexParam *redirection = nullptr; // for Redirected; points into the complex types
};

// The redirection of parameter param of member in complex type complexName:
// Redirected with step.redirection set, or where the search broke.
inline LookupStep::Stop findRedirection(const ComplexTypeRegistry &types, const QString &complexName,
                                        const QString &member, const QString &param,
                                        const complexParam **redirection)
{
    const auto type = types.constFind(complexName);
    if (type == types.constEnd())
        return LookupStep::NoComplexType;
    const auto instance = type->members.constFind(member);
    if (instance == type->members.constEnd())
        return LookupStep::NoMember;
    const auto found = instance->params.constFind(param);
    if (found == instance->params.constEnd())
        return LookupStep::NoRedirection;
    *redirection = &*found;
    return LookupStep::Redirected;
}

// The step from an instance and its device type already found (or the
// registries' constEnd()): a tool that looks them up by other means takes
// the same step.
inline LookupStep lookupStepAt(const Catalogue &catalogue, InstanceRegistry::const_iterator instance,
                               DeviceTypeRegistry::const_iterator deviceType, const QString &param)
{
    LookupStep step;
    step.instance = instance;
    if (step.instance == catalogue.instances.constEnd())
        return step; // NoInstance
    if (param.isEmpty()) {
        step.stop = LookupStep::NoParameterName;
        return step;
    }
    step.deviceType = deviceType;
    if (step.deviceType == catalogue.deviceTypes.constEnd()) {
        step.stop = LookupStep::NoDeviceType;
        return step;
    }
    step.parameter = step.deviceType->params.constFind(param);
    if (step.parameter == step.deviceType->params.constEnd()) {
        step.stop = LookupStep::NoParameter;
        return step;
    }
    if (step.parameter->slot != 0 || step.instance->complex.isEmpty()) {
        step.stop = LookupStep::Resolved;
        return step;
    }
    // The registry's own keys: the caller's strings may be outputs too.
    step.stop = findRedirection(catalogue.complexTypes, step.instance->complex, step.instance.key(),
                                step.parameter.key(), &step.redirection);
    return step;
}

// A parameter whose slot is 0 on an instance that names a complex type
// stands for the parameter its member entry redirects it to.
inline LookupStep lookupStep(const Catalogue &catalogue, const QString &instanceName, const QString &param)
{
    const auto instance = catalogue.instances.constFind(instanceName);
    if (instance == catalogue.instances.constEnd() || param.isEmpty())
        return lookupStepAt(catalogue, instance, catalogue.deviceTypes.constEnd(), param);
    return lookupStepAt(catalogue, instance, findDeviceType(catalogue.deviceTypes, instance->type), param);
}

} // namespace vrex

#endif
