// Limits that keep a small hostile configuration file from costing minutes
// of work or gigabytes of memory in every GUI process that starts.
//
// QXmlStreamReader compares every attribute of a start tag with every other
// one, takes in attribute-list declarations pairwise and walks all of them
// at every element, and expands each entity reference afresh (up to its
// limit of characters per reference). A few megabytes of attributes,
// declarations or references therefore cost time or memory far beyond the
// file's size. Configuration files need none of this: attribute lists and
// parameter entities are refused outright, attributes per element and the
// expansion of entity references are capped.
#ifndef VREX_FRAME_DOCUMENT_LIMITS_H
#define VREX_FRAME_DOCUMENT_LIMITS_H

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace vrex {

// Most attributes one start tag may carry.
constexpr qsizetype kMaxAttributesPerElement = 128;
// Characters that entity references may add beyond the document's size.
constexpr qsizetype kEntityExpansionBudget = 16 * 1024 * 1024;

// Why data must not be handed to the XML reader, in the reader's style
// ("... ."), or an empty string when it may. One linear pass over the data;
// a document with an internal DTD subset also has its prolog read once.
QString refusalForCostlyDocument(const QByteArray &data);

} // namespace vrex

#endif
