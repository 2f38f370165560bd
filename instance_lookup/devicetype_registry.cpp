// The device-type registry: one entry per "*.xml" entry of the devicetypes
// directory, keyed by its folded base name.
#include "frame/config_files.h"
#include "frame/config_root.h"
#include "instance_lookup/devicetype_parser.h"
#include "instance_lookup/device_type_key.h"
#include "xml/config_file_load.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace {

QString deviceTypesDir()
{
    return vrex::configRoot() + QStringLiteral("/config/devicetypes");
}

} // namespace

int vrex_instance_lookup::countDeviceTypes()
{
    return int(deviceTypes.size());
}

// Returns false on every path by contract.
bool vrex_instance_lookup::loadDeviceTypes()
{
    const QStringList entries = vrex::listXmlEntries(deviceTypesDir());
    for (const QString &entry : entries) {
        const QString base = entry.chopped(4); // the listing guarantees ".xml"
        // An unreadable or rejected file still registers its type with
        // defaults, so its instances report driver type 0.
        deviceTypeInfo info;
        loadDeviceParams(base, info);
        deviceTypes.insert(vrex::deviceTypeKey(base), info);
    }
    return false;
}

// Returns false on every path by contract; info is untouched on failure.
bool vrex_instance_lookup::loadDeviceParams(const QString &name, deviceTypeInfo &info)
{
    vrex::ConfigFileMessages messages;
    messages.cannotOpen = QStringLiteral("vrex_instance_lookup: Could not find the device description - ") + name;
    messages.notWellFormed = QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name;
    messages.wrongRoot = QStringLiteral("vrex_instance_lookup: The device_description file is not valid - ") + name;
    // resolveEntry finds the file also when its name differs in case, as it
    // would on the file systems the installations come from.
    vrex::loadConfigFile(
            vrex::resolveEntry(deviceTypesDir(), name + QStringLiteral(".xml")), messages,
            [](const vrex::xml::Source &source) { return vrex::parseDeviceType(source, vrex::kLoadOptions); },
            [&info](const vrex::DeviceTypeDocument &document) { vrex::applyDeviceType(info, document); });
    return false;
}
