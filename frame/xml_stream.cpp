#include "frame/xml_stream.h"

namespace vrex {

void prepareReader(QXmlStreamReader &reader, const QByteArray &data)
{
    reader.setNamespaceProcessing(false);
    reader.addData(data);
}

bool readRootElement(QXmlStreamReader &reader)
{
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            return true;
    }
    return false;
}

bool finishDocument(QXmlStreamReader &reader)
{
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

ParseError parseErrorOf(const QXmlStreamReader &reader)
{
    return ParseError{reader.errorString(), reader.lineNumber(), reader.columnNumber()};
}

} // namespace vrex
