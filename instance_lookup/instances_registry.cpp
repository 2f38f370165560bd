// The instances registry: loading the instances file, counting and dumping.
#include "frame/config_root.h"
#include "instance_lookup/instances_parser.h"
#include "xml/config_file_load.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QDebug>

int vrex_instance_lookup::countInstances()
{
    return int(instances.size());
}

// Returns false on every path by contract; the registry and the absence of
// a message tell success.
bool vrex_instance_lookup::loadInstances()
{
    vrex::ConfigFileMessages messages;
    messages.channel = vrex::ConfigFileMessages::DebugOutput;
    messages.cannotOpen = QStringLiteral("vrex_instance_lookup: Could not find the instances");
    messages.notWellFormed = QStringLiteral("vrex_instance_lookup: Error in instances file");
    messages.wrongRoot = QStringLiteral("vrex_instance_lookup: The instances file is not valid");
    vrex::loadConfigFile(
            vrex::configRoot() + QStringLiteral("/config/instances.xml"), messages,
            [](const vrex::xml::Source &source) { return vrex::parseInstances(source, vrex::kLoadOptions); },
            [](vrex::InstancesDocument document) {
                vrex::mergeInstances(instances, std::move(document.records));
            });
    return false;
}

void vrex_instance_lookup::dump()
{
    for (auto it = instances.constBegin(); it != instances.constEnd(); ++it) {
        qDebug("%s %s %d %d", it.key().toUtf8().constData(), it->type.toUtf8().constData(),
               it->device, it->offset);
    }
}
