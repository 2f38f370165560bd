// Questions about one instance: composite groups, type and addressing.
#include "frame/diagnostics.h"
#include "instance_lookup/device_type_key.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace {

void reportMissingInstance(const QString &name)
{
    vrex::debugOutput(QStringLiteral("vrex_instance_lookup::lookup: Can't find instance: ") + name);
}

} // namespace

bool vrex_instance_lookup::lookupComposite(const QString &name, bool &composite,
                                           QMap<QString, QString> &groups)
{
    const auto it = instances.constFind(name);
    if (it == instances.constEnd())
        return false;
    composite = it->composite;
    groups = it->groups;
    return true;
}

bool vrex_instance_lookup::lookupComposite(const QString &name, const QString &id,
                                           QString &instance)
{
    const auto it = instances.constFind(name);
    if (it == instances.constEnd())
        return false;
    const auto group = it->groups.constFind(id);
    if (group == it->groups.constEnd())
        return false;
    instance = *group;
    return true;
}

// Reversed sense: false means the instance was found. Hosts depend on it.
bool vrex_instance_lookup::lookupType(const QString &name, QString &type)
{
    const auto it = instances.constFind(name);
    if (it == instances.constEnd()) {
        type = QString();
        return true;
    }
    type = it->type;
    return false;
}

bool vrex_instance_lookup::lookup(const QString &name, QString &alt_id, int *device,
                                  int *offset, char *drivertype)
{
    if (!device || !offset)
        return false;
    *offset = 0;
    *device = 0;

    const auto it = instances.constFind(name);
    if (it == instances.constEnd()) {
        reportMissingInstance(name);
        return false;
    }
    *device = it->device;
    *offset = it->offset;
    alt_id = it->alt_id;

    if (!drivertype)
        return true;
    // A type without a registered device type is still a found instance.
    const auto type = vrex::findDeviceType(it->type);
    *drivertype = type == deviceTypes.constEnd() ? char(0) : vrex::driverTypeByte(type->drivertype);
    return true;
}

bool vrex_instance_lookup::lookup(const QString &name, QString &alt_id, QString &location,
                                  QString &type, QString &ref, bool &composite)
{
    const auto it = instances.constFind(name);
    if (it == instances.constEnd()) {
        reportMissingInstance(name);
        return false;
    }
    alt_id = it->alt_id;
    location = it->location;
    type = it->type;
    // Same form as the file's ref attribute, but never with the complex key.
    ref = QStringLiteral("device=%1,offset=%2")
                  .arg(QString::number(it->device), QString::number(it->offset));
    composite = it->composite;
    return true;
}
