// The instances file format: bytes -> instance records, nothing else.
// Loaders, vrexctl-facing code and fuzzers all go through this parser.
#ifndef VREX_INSTANCE_LOOKUP_INSTANCES_PARSER_H
#define VREX_INSTANCE_LOOKUP_INSTANCES_PARSER_H

#include "frame/xml_stream.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QByteArray>
#include <QtCore/QStringView>

#include <map>
#include <vector>

namespace vrex {

// A node of the registry's own tree: the parser builds each instance's
// entry in one, so merging links the node into the registry instead of
// copying the record into a new node and destroying the old one.
using InstanceNode = std::map<QString, instanceInfo>::node_type;

// A node of its own for id, with default fields, to be filled and later
// linked into a registry as it is.
InstanceNode makeInstanceNode(const QString &id = QString());

struct InstanceRecord
{
    InstanceNode node; // key: the id as written; value: the fields as the file gives them
    qint64 line = 0;   // line of the instance element's start tag (its last, its first when observed)
    qint64 column = 0; // of its '<', only when observed

    const QString &id() const { return node.key(); }
    const instanceInfo &info() const { return node.mapped(); }
};

struct InstancesDocument
{
    ParseStatus status = ParseStatus::Ok;
    ParseError error;                    // set when NotWellFormed
    std::vector<InstanceRecord> records; // document order; empty unless Ok
};

class ParseObserver;

// Parses a whole instances file. Root must be "instances". An observer hears
// of what the records cannot show (see parse_findings.h).
InstancesDocument parseInstances(const QByteArray &data, ParseObserver *observer = nullptr);

// Applies a "ref" attribute value ("device=12,offset=3,complex=pair") to
// info: pieces split at ',' and '=', empty parts dropped, nothing trimmed,
// later keys win, unknown keys ignored.
void applyRef(QStringView ref, instanceInfo &info);

// Merges records into the registry, taking their nodes: a name seen again
// replaces the whole record; other entries stay.
void mergeInstances(QMap<QString, instanceInfo> &registry, std::vector<InstanceRecord> records);

} // namespace vrex

#endif
