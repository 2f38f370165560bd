// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The complex-instance file format: bytes -> member and redirection records.
#ifndef VREX_INSTANCE_LOOKUP_COMPLEXTYPE_PARSER_H
#define VREX_INSTANCE_LOOKUP_COMPLEXTYPE_PARSER_H

#include "xml/document_reader.h"
#include "xml/format_observer.h"
#include "xml/parse_options.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QVector>

namespace vrex {

struct RedirectionRecord
{
    QString id;     // the member's own parameter name
    QString device; // target instance
    QString param;  // target parameter
    xml::Position at;
};

struct MemberRecord
{
    QString id; // member instance name
    QVector<RedirectionRecord> redirections; // document order
    xml::Position at;
};

struct ComplexTypeDocument
{
    xml::Result result;
    xml::Position at; // of the root element
    QVector<MemberRecord> members; // document order
};

// Parses a whole complex-instance file; its root element must be named
// exactly typeName.
ComplexTypeDocument parseComplexType(const xml::Source &source, const QString &typeName,
                                     const ParseOptions &options = {});

// Merges into type: each member element replaces that member's whole
// redirection map; members the document does not name stay.
void applyComplexType(complexType &type, const ComplexTypeDocument &document);

} // namespace vrex

#endif
