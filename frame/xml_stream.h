// What every configuration-file parser shares: one QXmlStreamReader pass
// over the whole document, so that a document that is not well-formed
// anywhere (also after its root element) is rejected as a whole.
#ifndef VREX_FRAME_XML_STREAM_H
#define VREX_FRAME_XML_STREAM_H

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QXmlStreamReader>

namespace vrex {

enum class ParseStatus {
    Ok,            // well-formed, root accepted
    NotWellFormed, // the XML reader failed; errorString tells why
    WrongRoot,     // well-formed, but the root element is not the expected one
};

struct ParseError
{
    QString errorString; // QXmlStreamReader's own text
    qint64 line = 0;
    qint64 column = 0;
};

// A reader over data with namespace processing off, positioned before the
// first token; already failed when data is too costly to read (see
// document_limits.h).
void prepareReader(QXmlStreamReader &reader, const QByteArray &data);

// Moves to the root element. False when the document has none or fails
// before it.
bool readRootElement(QXmlStreamReader &reader);

// Reads everything after the current position to the end of the document.
// False when the document turns out not to be well-formed.
bool finishDocument(QXmlStreamReader &reader);

ParseError parseErrorOf(const QXmlStreamReader &reader);

} // namespace vrex

#endif
