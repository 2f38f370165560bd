// What a format's element handlers show of each element they read, for
// tools that judge a configuration rather than load it. The load path
// passes no observer and pays one null test per element and attribute.
#ifndef VREX_XML_FORMAT_OBSERVER_H
#define VREX_XML_FORMAT_OBSERVER_H

#include "xml/document_reader.h"

namespace vrex {

// The part an element plays in its file.
enum class RecordRole {
    Instance,
    Group,
    DeviceTypeRoot,
    Parameter,
    ComplexTypeRoot,
    Member,
    Redirection,
    StylesheetRoot,
    Style,
    Setting,
};

class FormatObserver
{
public:
    virtual ~FormatObserver() = default;

    // An element that gives a record, before its attributes.
    virtual void element(RecordRole role, const xml::Element &element) = 0;
    // Each attribute of that element, in document order, as written (UTF-8);
    // known: the format reads it.
    virtual void attribute(RecordRole role, const xml::Element &element, const char *name,
                           const char *value, bool known) = 0;
};

} // namespace vrex

#endif
