// The complex-instance file format: bytes -> member and redirection records.
#ifndef VREX_INSTANCE_LOOKUP_COMPLEXTYPE_PARSER_H
#define VREX_INSTANCE_LOOKUP_COMPLEXTYPE_PARSER_H

#include "frame/xml_stream.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QByteArray>
#include <QtCore/QVector>

namespace vrex {

struct RedirectionRecord
{
    QString id;     // the member's own parameter name
    QString device; // target instance
    QString param;  // target parameter
    qint64 line = 0;
};

struct MemberRecord
{
    QString id; // member instance name
    QVector<RedirectionRecord> redirections; // document order
    qint64 line = 0;
};

struct ComplexTypeDocument
{
    ParseStatus status = ParseStatus::Ok;
    ParseError error;
    QVector<MemberRecord> members; // document order
};

// Parses a whole complex-instance file; its root element must be named
// exactly typeName.
ComplexTypeDocument parseComplexType(const QByteArray &data, const QString &typeName);

// Merges into type: each member element replaces that member's whole
// redirection map; members the document does not name stay.
void applyComplexType(complexType &type, const ComplexTypeDocument &document);

} // namespace vrex

#endif
