// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The three registries a lookup reads, wherever they live: the library's
// process-wide ones or an Installation's own.
#ifndef VREX_INSTANCE_LOOKUP_CATALOGUE_H
#define VREX_INSTANCE_LOOKUP_CATALOGUE_H

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace vrex {

using InstanceRegistry = QMap<QString, instanceInfo>;
using DeviceTypeRegistry = QMap<QString, deviceTypeInfo>; // keys folded by deviceTypeKey()
using ComplexTypeRegistry = QMap<QString, complexType>;

struct Catalogue
{
    const InstanceRegistry &instances;
    const DeviceTypeRegistry &deviceTypes;
    const ComplexTypeRegistry &complexTypes;
};

} // namespace vrex

#endif
