// The device-type registry: one entry per "*.xml" entry of the devicetypes
// directory, keyed by its lower-cased base name.
#include "frame/config_files.h"
#include "frame/config_root.h"
#include "frame/diagnostics.h"
#include "instance_lookup/devicetype_parser.h"

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
        deviceTypes.insert(base.toLower(), info);
    }
    return false;
}

// Returns false on every path by contract; info is untouched on failure.
bool vrex_instance_lookup::loadDeviceParams(const QString &name, deviceTypeInfo &info)
{
    // resolveEntry finds the file also when its name differs in case, as it
    // would on the file systems the installations come from.
    const QString path = vrex::resolveEntry(deviceTypesDir(), name + QStringLiteral(".xml"));
    QByteArray data;
    if (!vrex::readWholeFile(path, &data)) {
        vrex::qtMessage(QStringLiteral("vrex_instance_lookup: Could not find the device description - ") + name);
        return false;
    }

    const vrex::DeviceTypeDocument document = vrex::parseDeviceType(data);
    switch (document.status) {
    case vrex::ParseStatus::NotWellFormed:
        vrex::qtMessage(QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name);
        return false;
    case vrex::ParseStatus::WrongRoot:
        vrex::qtMessage(QStringLiteral("vrex_instance_lookup: The device_description file is not valid - ") + name);
        return false;
    case vrex::ParseStatus::Ok:
        break;
    }

    vrex::applyDeviceType(info, document);
    return false;
}
