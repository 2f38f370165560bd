// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The exported class: the core's loaders and queries over the process-wide
// registries, with the configuration root of the moment and the library's
// channels.
#include "frame/host_context.h"
#include "instance_lookup/catalogue_loaders.h"
#include "instance_lookup/catalogue_queries.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QDebug>

vrex_instance_lookup::vrex_instance_lookup() = default;
vrex_instance_lookup::vrex_instance_lookup(const vrex_instance_lookup &) = default;
vrex_instance_lookup &vrex_instance_lookup::operator=(const vrex_instance_lookup &) = default;
vrex_instance_lookup::~vrex_instance_lookup() = default;

int vrex_instance_lookup::countInstances()
{
    return int(instances.size());
}

// Every loader returns false on every path by contract; the registry and
// the absence of a message tell success.
bool vrex_instance_lookup::loadInstances()
{
    vrex::loadInstances(instances, vrex::hostLoadContext());
    return false;
}

void vrex_instance_lookup::dump()
{
    for (auto it = instances.constBegin(); it != instances.constEnd(); ++it) {
        qDebug("%s %s %d %d", it.key().toUtf8().constData(), it->type.toUtf8().constData(), it->device,
               it->offset);
    }
}

bool vrex_instance_lookup::lookupComposite(const QString &name, bool &composite, QMap<QString, QString> &groups)
{
    return vrex::lookupComposite(vrex::hostCatalogue(), name, composite, groups);
}

bool vrex_instance_lookup::lookupComposite(const QString &name, const QString &id, QString &instance)
{
    return vrex::lookupComposite(vrex::hostCatalogue(), name, id, instance);
}

bool vrex_instance_lookup::lookupType(const QString &name, QString &type)
{
    return vrex::lookupType(vrex::hostCatalogue(), name, type);
}

bool vrex_instance_lookup::lookup(const QString &name, QString &alt_id, int *device, int *offset, char *drivertype)
{
    return vrex::lookupInstance(vrex::hostCatalogue(), vrex::hostSink(), name, alt_id, device, offset, drivertype);
}

bool vrex_instance_lookup::lookup(const QString &name, QString &alt_id, QString &location, QString &type,
                                  QString &ref, bool &composite)
{
    return vrex::lookupInstance(vrex::hostCatalogue(), vrex::hostSink(), name, alt_id, location, type, ref,
                                composite);
}

int vrex_instance_lookup::countDeviceTypes()
{
    return int(deviceTypes.size());
}

bool vrex_instance_lookup::loadDeviceTypes()
{
    vrex::loadDeviceTypes(deviceTypes, vrex::hostLoadContext());
    return false;
}

bool vrex_instance_lookup::loadDeviceParams(const QString &name, deviceTypeInfo &info)
{
    const vrex::LoadContext context = vrex::hostLoadContext();
    vrex::loadDeviceType(name, vrex::deviceTypePath(name, context), info, context);
    return false;
}

int vrex_instance_lookup::countComplexTypes()
{
    return complexTypes.size();
}

bool vrex_instance_lookup::loadComplexTypes()
{
    vrex::loadComplexTypes(complexTypes, vrex::hostLoadContext());
    return false;
}

bool vrex_instance_lookup::loadComplexType(const QString &name, complexType &type)
{
    const vrex::LoadContext context = vrex::hostLoadContext();
    vrex::loadComplexType(name, vrex::complexTypePath(name, context), type, context);
    return false;
}

bool vrex_instance_lookup::lookup(const QString &name, const QString &param, QString &alt_id, int *device,
                                  int *offset, int *slot, char *drivertype)
{
    return vrex::lookupParameter(vrex::hostCatalogue(), vrex::hostSink(), name, param, alt_id, device, offset, slot,
                                 drivertype);
}

bool vrex_instance_lookup::lookupComplex(const QString &complexName, const QString &member, const QString &param,
                                         QString &alt_id, int *device, int *offset, int *slot, char *drivertype)
{
    return vrex::lookupComplex(vrex::hostCatalogue(), vrex::hostSink(), complexName, member, param, alt_id, device,
                               offset, slot, drivertype);
}
