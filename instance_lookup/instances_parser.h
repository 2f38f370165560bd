// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The instances file format: bytes -> instance records, nothing else.
// The loader, tools and fuzzers all go through this parser.
#ifndef VREX_INSTANCE_LOOKUP_INSTANCES_PARSER_H
#define VREX_INSTANCE_LOOKUP_INSTANCES_PARSER_H

#include "xml/document_reader.h"
#include "xml/format_observer.h"
#include "xml/parse_options.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QByteArrayView>

#include <map>
#include <utility>
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

    const QString &id() const { return node.key(); }
    const instanceInfo &info() const { return node.mapped(); }
};

// A group element that counted, with the record it belongs to.
struct GroupPosition
{
    size_t record;
    QString id;
    xml::Position at;
};

struct InstancesDocument
{
    xml::Result result;
    std::vector<InstanceRecord> records; // document order; empty unless Ok
    // When positions are kept (the loaders leave them out, a record stays
    // one pointer): at[i] is where records[i]'s start tag begins.
    std::vector<xml::Position> at;
    std::vector<GroupPosition> groupsAt; // document order
};

// Parses a whole instances file. Root must be "instances".
InstancesDocument parseInstances(const xml::Source &source, const ParseOptions &options = {});

// Applies a "ref" attribute value ("device=12,offset=3,complex=pair", UTF-8)
// to info: pieces split at ',' and '=', empty parts dropped, nothing
// trimmed, later keys win, unknown keys ignored.
void applyRef(QByteArrayView ref, instanceInfo &info);

// Merges records into the registry, taking their nodes: a name seen again
// replaces the whole record; other entries stay.
void mergeInstances(QMap<QString, instanceInfo> &registry, std::vector<InstanceRecord> records);

} // namespace vrex

#endif
