// Filling complexTypes from config/complex_instances, one file per type.
#include "frame/config_files.h"
#include "frame/config_root.h"
#include "instance_lookup/complextype_parser.h"
#include "xml/config_file_load.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace {

QString complexInstancesDir()
{
    return vrex::configRoot() + QStringLiteral("/config/complex_instances");
}

} // namespace

int vrex_instance_lookup::countComplexTypes()
{
    return complexTypes.size();
}

bool vrex_instance_lookup::loadComplexTypes()
{
    const QStringList names = vrex::listXmlEntries(complexInstancesDir());
    for (const QString &name : names) {
        // The key keeps the listed spelling: only the extension goes, in
        // whatever case it was written.
        const QString key = name.chopped(4);
        complexType loaded;
        loadComplexType(key, loaded);
        // Every listed name gets its entry, even when its file failed, so a
        // host sees which types the installation names.
        complexTypes[key].members = std::move(loaded.members);
    }
    return false;
}

// Success shows in the record; callers never get a result to branch on.
bool vrex_instance_lookup::loadComplexType(const QString &name, complexType &type)
{
    vrex::ConfigFileMessages messages;
    messages.cannotOpen = QStringLiteral("vrex_instance_lookup: Could not find the complex instances - ") + name;
    messages.notWellFormed = QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name;
    messages.wrongRoot = QStringLiteral("vrex_instance_lookup: The device_description file is not valid - ") + name;
    vrex::loadConfigFile(
            vrex::resolveEntry(complexInstancesDir(), name + QStringLiteral(".xml")), messages,
            [&name](const vrex::xml::Source &source) {
                return vrex::parseComplexType(source, name, vrex::kLoadOptions);
            },
            [&type](const vrex::ComplexTypeDocument &document) { vrex::applyComplexType(type, document); });
    return false;
}
