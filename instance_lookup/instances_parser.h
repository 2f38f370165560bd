// The instances file format: bytes -> instance records, nothing else.
// Loaders, vrexctl-facing code and fuzzers all go through this parser.
#ifndef VREX_INSTANCE_LOOKUP_INSTANCES_PARSER_H
#define VREX_INSTANCE_LOOKUP_INSTANCES_PARSER_H

#include "frame/xml_stream.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QByteArray>
#include <QtCore/QStringView>
#include <QtCore/QVector>

namespace vrex {

struct InstanceRecord
{
    QString id;        // registry key, as written
    instanceInfo info; // fields as the file gives them, defaults elsewhere
    qint64 line = 0;   // line of the instance element's start tag
};

} // namespace vrex

// The vector of records grows while a file is parsed. instanceInfo has no
// move operations, so without this every growth would copy each record
// (an atomic increment per string and map) and destroy the old one; its
// members (a vtable pointer, numbers, QStrings, a QMap) all stay valid when
// moved in memory, so growth can be a plain realloc.
Q_DECLARE_TYPEINFO(vrex::InstanceRecord, Q_RELOCATABLE_TYPE);

namespace vrex {

struct InstancesDocument
{
    ParseStatus status = ParseStatus::Ok;
    ParseError error;               // set when NotWellFormed
    QVector<InstanceRecord> records; // document order; empty unless Ok
};

// Parses a whole instances file. Root must be "instances".
InstancesDocument parseInstances(const QByteArray &data);

// Applies a "ref" attribute value ("device=12,offset=3,complex=pair") to
// info: pieces split at ',' and '=', empty parts dropped, nothing trimmed,
// later keys win, unknown keys ignored.
void applyRef(QStringView ref, instanceInfo &info);

// Merges records into the registry: a name seen again replaces the whole
// record; other entries stay.
void mergeInstances(QMap<QString, instanceInfo> &registry, const QVector<InstanceRecord> &records);

} // namespace vrex

#endif
