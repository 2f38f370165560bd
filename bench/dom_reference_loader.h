// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The yardstick for the library's loaders: the same four files read the
// straightforward way, each into a QDomDocument that is then walked node by
// node. It fills registries of the library's own record types, but its own
// maps, so the library's statics stay untouched.
#ifndef VREX_BENCH_DOM_REFERENCE_LOADER_H
#define VREX_BENCH_DOM_REFERENCE_LOADER_H

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QMap>
#include <QtCore/QString>

namespace vrexbench {

struct DomRegistries
{
    QMap<QString, instanceInfo> instances;
    QMap<QString, deviceTypeInfo> deviceTypes; // keys lower-cased
    QMap<QString, complexType> complexTypes;
    QMap<QString, styleentry> styles;

    void clear();
};

// configRoot is ZT_ROOT + "/" + ZT_SYSTEM. Each loader merges into its map
// as the library's loader does and returns false when the file could not be
// read or has the wrong root; the directory loaders always succeed.
bool domLoadInstances(const QString &configRoot, QMap<QString, instanceInfo> &instances);
bool domLoadDeviceTypes(const QString &configRoot, QMap<QString, deviceTypeInfo> &deviceTypes);
bool domLoadComplexTypes(const QString &configRoot, QMap<QString, complexType> &complexTypes);
bool domLoadStyles(const QString &configRoot, QMap<QString, styleentry> &styles);

// The four loads in the library's attach order (styles first).
void domLoadAll(const QString &configRoot, DomRegistries &registries);

} // namespace vrexbench

#endif
