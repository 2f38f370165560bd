// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/catalogue_loaders.h"

#include "installation/installation_layout.h"
#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/device_type_key.h"
#include "instance_lookup/devicetype_parser.h"
#include "instance_lookup/instances_parser.h"

namespace vrex {

namespace {

QString directory(const LoadContext &context, QLatin1StringView relative)
{
    return layout::path(context.configRoot, relative);
}

} // namespace

void loadInstances(InstanceRegistry &registry, const LoadContext &context)
{
    ConfigFileMessages messages;
    messages.channel = Channel::DebugOutput;
    messages.cannotOpen = QStringLiteral("vrex_instance_lookup: Could not find the instances");
    messages.notWellFormed = QStringLiteral("vrex_instance_lookup: Error in instances file");
    messages.wrongRoot = QStringLiteral("vrex_instance_lookup: The instances file is not valid");
    loadConfigFile(
            context, layout::path(context.configRoot, layout::kInstancesFile), messages,
            [&context](const xml::Source &source) { return parseInstances(source, context.options); },
            [&registry](InstancesDocument document) { mergeInstances(registry, std::move(document.records)); });
}

void loadDeviceTypes(DeviceTypeRegistry &registry, const LoadContext &context)
{
    const DirectoryListing listing = context.files->listXml(directory(context, layout::kDeviceTypesDir));
    for (const QString &entry : listing.entries()) {
        const QString base = entry.chopped(layout::kXmlSuffix.size()); // the listing guarantees ".xml"
        // An unreadable or rejected file still registers its type with
        // defaults, so its instances report driver type 0.
        deviceTypeInfo info;
        loadDeviceType(base, listing.resolve(layout::xmlFileName(base)), info, context);
        registry.insert(deviceTypeKey(base), info);
    }
}

QString deviceTypePath(const QString &name, const LoadContext &context)
{
    // Found also when its name differs in case, as it would be on the file
    // systems the installations come from.
    return context.files->resolve(directory(context, layout::kDeviceTypesDir), layout::xmlFileName(name));
}

void loadDeviceType(const QString &name, const QString &path, deviceTypeInfo &info, const LoadContext &context)
{
    ConfigFileMessages messages;
    messages.cannotOpen = QStringLiteral("vrex_instance_lookup: Could not find the device description - ") + name;
    messages.notWellFormed = QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name;
    messages.wrongRoot = QStringLiteral("vrex_instance_lookup: The device_description file is not valid - ") + name;
    loadConfigFile(
            context, path, messages,
            [&context](const xml::Source &source) { return parseDeviceType(source, context.options); },
            [&info](const DeviceTypeDocument &document) { applyDeviceType(info, document); });
}

void loadComplexTypes(ComplexTypeRegistry &registry, const LoadContext &context)
{
    const DirectoryListing listing = context.files->listXml(directory(context, layout::kComplexTypesDir));
    for (const QString &entry : listing.entries()) {
        // The key keeps the listed spelling: only the extension goes, in
        // whatever case it was written.
        const QString key = entry.chopped(layout::kXmlSuffix.size());
        complexType loaded;
        loadComplexType(key, listing.resolve(layout::xmlFileName(key)), loaded, context);
        // Every listed name gets its entry, even when its file failed, so a
        // host sees which types the installation names.
        registry[key].members = std::move(loaded.members);
    }
}

QString complexTypePath(const QString &name, const LoadContext &context)
{
    return context.files->resolve(directory(context, layout::kComplexTypesDir), layout::xmlFileName(name));
}

void loadComplexType(const QString &name, const QString &path, complexType &type, const LoadContext &context)
{
    ConfigFileMessages messages;
    messages.cannotOpen = QStringLiteral("vrex_instance_lookup: Could not find the complex instances - ") + name;
    messages.notWellFormed = QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name;
    messages.wrongRoot = QStringLiteral("vrex_instance_lookup: The device_description file is not valid - ") + name;
    loadConfigFile(
            context, path, messages,
            [&name, &context](const xml::Source &source) { return parseComplexType(source, name, context.options); },
            [&type](const ComplexTypeDocument &document) { applyComplexType(type, document); });
}

} // namespace vrex
