#include "frame/xml_stream.h"

#include "frame/document_limits.h"

namespace vrex {

namespace {

// Reads everything after the current position to the end of the document.
// False when the document turns out not to be well-formed.
bool finishDocument(QXmlStreamReader &reader)
{
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

} // namespace

DocumentReader::DocumentReader(const QByteArray &data)
{
    m_source.setData(data); // shares the bytes, copies nothing
    m_source.open(QIODevice::ReadOnly);
    setDevice(&m_source);
    setNamespaceProcessing(false);
    // Refused before the reader spends anything on it; callers see a
    // reader error like any other.
    const QString refusal = refusalForCostlyDocument(data);
    if (!refusal.isEmpty())
        raiseError(refusal);
}

bool readRootElement(QXmlStreamReader &reader)
{
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            return true;
    }
    return false;
}

ParseError parseErrorOf(const QXmlStreamReader &reader)
{
    return ParseError{reader.errorString(), reader.lineNumber(), reader.columnNumber()};
}

ParseStatus finishParse(QXmlStreamReader &reader, ParseStatus status, ParseError &error)
{
    if (!finishDocument(reader))
        status = ParseStatus::NotWellFormed;
    if (status == ParseStatus::NotWellFormed)
        error = parseErrorOf(reader);
    return status;
}

} // namespace vrex
