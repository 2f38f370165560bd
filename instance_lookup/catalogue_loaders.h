// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Filling the three catalogue registries from an installation's files. The
// library's class loads its process-wide registries with these, an
// Installation its own. Every loader merges: a name seen again replaces its
// record, other entries stay. Failures are written to the context's sink in
// the loader's own words.
#ifndef VREX_INSTANCE_LOOKUP_CATALOGUE_LOADERS_H
#define VREX_INSTANCE_LOOKUP_CATALOGUE_LOADERS_H

#include "installation/config_file_load.h"
#include "instance_lookup/catalogue.h"

namespace vrex {

// config/instances.xml; a file that is not taken leaves the registry as it
// was.
void loadInstances(InstanceRegistry &registry, const LoadContext &context);

// One entry per "*.xml" entry of config/devicetypes, keyed by the folded
// base name; a file that fails still registers its type with defaults.
void loadDeviceTypes(DeviceTypeRegistry &registry, const LoadContext &context);
// The device type called name, from path; info is untouched on failure.
void loadDeviceType(const QString &name, const QString &path, deviceTypeInfo &info, const LoadContext &context);
// The file the device type called name is read from.
QString deviceTypePath(const QString &name, const LoadContext &context);

// One entry per "*.xml" entry of config/complex_instances, keyed by the
// base name as listed; a file that fails still registers its name.
void loadComplexTypes(ComplexTypeRegistry &registry, const LoadContext &context);
void loadComplexType(const QString &name, const QString &path, complexType &type, const LoadContext &context);
QString complexTypePath(const QString &name, const LoadContext &context);

} // namespace vrex

#endif
