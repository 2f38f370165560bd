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
    qint64 line = 0;   // of the start tag (its last, its first when observed)
    qint64 column = 0; // of its '<', only when observed
};

struct MemberRecord
{
    QString id; // member instance name
    QVector<RedirectionRecord> redirections; // document order
    qint64 line = 0;   // of the start tag (its last, its first when observed)
    qint64 column = 0; // of its '<', only when observed
};

struct ComplexTypeDocument
{
    ParseStatus status = ParseStatus::Ok;
    ParseError error;
    QString root;                  // the root's tag when WrongRoot
    QVector<MemberRecord> members; // document order
};

class ParseObserver;

// Parses a whole complex-instance file; its root element must be named
// exactly typeName. An observer hears of what the records cannot show.
ComplexTypeDocument parseComplexType(const QByteArray &data, const QString &typeName,
                                     ParseObserver *observer = nullptr);

// Merges into type: each member element replaces that member's whole
// redirection map; members the document does not name stay.
void applyComplexType(complexType &type, const ComplexTypeDocument &document);

} // namespace vrex

#endif
