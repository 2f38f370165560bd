// Filling complexTypes from config/complex_instances, one file per type.
#include "frame/config_files.h"
#include "frame/config_root.h"
#include "frame/diagnostics.h"
#include "instance_lookup/complextype_parser.h"

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

bool vrex_instance_lookup::loadComplexType(const QString &name, complexType &type)
{
    QByteArray data;
    const QString path =
            vrex::resolveEntry(complexInstancesDir(), name + QStringLiteral(".xml"));
    if (!vrex::readWholeFile(path, &data)) {
        vrex::qtMessage(QStringLiteral("vrex_instance_lookup: Could not find the complex instances - ")
                        + name);
        return false;
    }

    const vrex::ComplexTypeDocument document = vrex::parseComplexType(data, name);
    switch (document.status) {
    case vrex::ParseStatus::NotWellFormed:
        vrex::qtMessage(QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name);
        return false;
    case vrex::ParseStatus::WrongRoot:
        vrex::qtMessage(
                QStringLiteral("vrex_instance_lookup: The device_description file is not valid - ")
                + name);
        return false;
    case vrex::ParseStatus::Ok:
        break;
    }
    vrex::applyComplexType(type, document);
    // Success shows in the record; callers never get a result to branch on.
    return false;
}
