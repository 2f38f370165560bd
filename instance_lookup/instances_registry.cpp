// The instances registry: loading the instances file, counting and dumping.
#include "frame/config_files.h"
#include "frame/config_root.h"
#include "frame/diagnostics.h"
#include "instance_lookup/instances_parser.h"

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
    QByteArray data;
    if (!vrex::readWholeFile(vrex::configRoot() + QStringLiteral("/config/instances.xml"), &data)) {
        vrex::debugOutput("vrex_instance_lookup: Could not find the instances");
        return false;
    }

    // The whole document is parsed before the registry is touched, so a
    // rejected file changes nothing.
    vrex::InstancesDocument document = vrex::parseInstances(data);
    // The file's bytes are not needed any more: they go before the registry
    // grows, so that both never take memory at the same time.
    data = QByteArray();
    switch (document.status) {
    case vrex::ParseStatus::NotWellFormed:
        vrex::debugOutput("vrex_instance_lookup: Error in instances file");
        return false;
    case vrex::ParseStatus::WrongRoot:
        vrex::debugOutput("vrex_instance_lookup: The instances file is not valid");
        return false;
    case vrex::ParseStatus::Ok:
        break;
    }

    vrex::mergeInstances(instances, std::move(document.records));
    return false;
}

void vrex_instance_lookup::dump()
{
    for (auto it = instances.constBegin(); it != instances.constEnd(); ++it) {
        qDebug("%s %s %d %d", it.key().toUtf8().constData(), it->type.toUtf8().constData(),
               it->device, it->offset);
    }
}
