// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Questions about one instance, and addressing one parameter of it by
// following complex-type redirections to the instance that carries it.
#include "instance_lookup/catalogue_queries.h"

#include "instance_lookup/lookup_step.h"
#include "instance_lookup/redirection_trail.h"

namespace vrex {

namespace {

void debugOutput(DiagnosticSink *sink, const QString &text)
{
    if (sink)
        sink->write(Channel::DebugOutput, text);
}

void reportMissingInstance(DiagnosticSink *sink, const QString &name)
{
    debugOutput(sink, QStringLiteral("vrex_instance_lookup::lookup: Can't find instance: ") + name);
}

} // namespace

bool lookupComposite(const Catalogue &catalogue, const QString &name, bool &composite,
                     QMap<QString, QString> &groups)
{
    const auto it = catalogue.instances.constFind(name);
    if (it == catalogue.instances.constEnd())
        return false;
    composite = it->composite;
    groups = it->groups;
    return true;
}

bool lookupComposite(const Catalogue &catalogue, const QString &name, const QString &id, QString &instance)
{
    const auto it = catalogue.instances.constFind(name);
    if (it == catalogue.instances.constEnd())
        return false;
    const auto group = it->groups.constFind(id);
    if (group == it->groups.constEnd())
        return false;
    instance = *group;
    return true;
}

// Reversed sense: false means the instance was found. Hosts depend on it.
bool lookupType(const Catalogue &catalogue, const QString &name, QString &type)
{
    const auto it = catalogue.instances.constFind(name);
    if (it == catalogue.instances.constEnd()) {
        type = QString();
        return true;
    }
    type = it->type;
    return false;
}

bool lookupInstance(const Catalogue &catalogue, DiagnosticSink *sink, const QString &name, QString &alt_id,
                    int *device, int *offset, char *drivertype)
{
    if (!device || !offset)
        return false;
    *offset = 0;
    *device = 0;

    const auto it = catalogue.instances.constFind(name);
    if (it == catalogue.instances.constEnd()) {
        reportMissingInstance(sink, name);
        return false;
    }
    *device = it->device;
    *offset = it->offset;
    alt_id = it->alt_id;

    if (!drivertype)
        return true;
    // A type without a registered device type is still a found instance.
    const auto type = findDeviceType(catalogue.deviceTypes, it->type);
    *drivertype = type == catalogue.deviceTypes.constEnd() ? char(0) : driverTypeByte(type->drivertype);
    return true;
}

bool lookupInstance(const Catalogue &catalogue, DiagnosticSink *sink, const QString &name, QString &alt_id,
                    QString &location, QString &type, QString &ref, bool &composite)
{
    const auto it = catalogue.instances.constFind(name);
    if (it == catalogue.instances.constEnd()) {
        reportMissingInstance(sink, name);
        return false;
    }
    alt_id = it->alt_id;
    location = it->location;
    type = it->type;
    // Same form as the file's ref attribute, but never with the complex key.
    ref = QStringLiteral("device=%1,offset=%2").arg(QString::number(it->device), QString::number(it->offset));
    composite = it->composite;
    return true;
}

// A loop rather than two functions calling each other: chains from
// generated configurations can be long, and a cycle in them must end in a
// message instead of a stack overflow.
bool lookupParameter(const Catalogue &catalogue, DiagnosticSink *sink, const QString &name,
                     const QString &param, QString &alt_id, int *device, int *offset, int *slot,
                     char *drivertype)
{
    if (!device) {
        debugOutput(sink, QStringLiteral("vrex_instance_lookup::lookup: no device return value"));
        return false;
    }
    if (!offset) {
        debugOutput(sink, QStringLiteral("vrex_instance_lookup::lookup: no offset return value"));
        return false;
    }

    const QString *instanceName = &name;
    const QString *paramName = &param;
    // Only the first instance of a chain answers for the alternative id.
    QString *altOutput = &alt_id;
    RedirectionTrail trail;

    for (;;) {
        // The whole step is taken before any output is written: the caller
        // may have passed one string as both a name and the alternative-id
        // output.
        const LookupStep step = lookupStep(catalogue, *instanceName, *paramName);
        *device = 0;
        *offset = 0;
        if (step.stop == LookupStep::NoInstance) {
            debugOutput(sink, QStringLiteral("vrex_instance_lookup::lookup: can't find instance\n") + *instanceName);
            return false;
        }
        *device = step.instance->device;
        *offset = step.instance->offset;
        if (altOutput) {
            *altOutput = step.instance->alt_id;
            altOutput = nullptr;
        }

        if (!slot || step.stop == LookupStep::NoParameterName)
            return true;
        *slot = 0;
        if (step.stop == LookupStep::NoDeviceType)
            return false;
        if (drivertype)
            *drivertype = driverTypeByte(step.deviceType->drivertype);
        if (step.stop == LookupStep::NoParameter)
            return false;
        *slot = step.parameter->slot;
        if (step.stop == LookupStep::Resolved)
            return true;
        if (step.stop != LookupStep::Redirected)
            return false;

        // Checked before the target's step runs, so the outputs keep what
        // the last distinct step wrote.
        const complexParam *redirection = step.redirection;
        if (trail.isEmpty())
            trail.insert(step.instance.key(), step.parameter.key());
        if (!trail.insert(redirection->device, redirection->param)) {
            debugOutput(sink, QStringLiteral("vrex_instance_lookup::lookup: redirection cycle at ")
                                + redirection->device + QLatin1Char('.') + redirection->param);
            return false;
        }
        instanceName = &redirection->device;
        paramName = &redirection->param;
    }
}

bool lookupComplex(const Catalogue &catalogue, DiagnosticSink *sink, const QString &complexName,
                   const QString &member, const QString &param, QString &alt_id, int *device, int *offset,
                   int *slot, char *drivertype)
{
    const complexParam *redirection = nullptr;
    if (findRedirection(catalogue.complexTypes, complexName, member, param, &redirection) != LookupStep::Redirected)
        return false;
    return lookupParameter(catalogue, sink, redirection->device, redirection->param, alt_id, device, offset, slot,
                           drivertype);
}

} // namespace vrex
