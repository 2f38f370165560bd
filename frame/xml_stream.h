// What every configuration-file parser shares: one QXmlStreamReader pass
// over the whole document, so that a document that is not well-formed
// anywhere (also after its root element) is rejected as a whole.
#ifndef VREX_FRAME_XML_STREAM_H
#define VREX_FRAME_XML_STREAM_H

#include <QtCore/QBuffer>
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

// A reader over a whole document in memory, namespace processing off,
// positioned before the first token; already failed when data is too costly
// to read (see document_limits.h).
//
// It pulls the bytes through a buffer device and so decodes them a few
// kilobytes at a time: addData() would convert the whole document to UTF-16
// at once, twice the file's size on top of the file. A reader by
// inheritance, so parsers pass it on as the QXmlStreamReader it is.
class DocumentReader : public QXmlStreamReader
{
public:
    explicit DocumentReader(const QByteArray &data);

private:
    QBuffer m_source; // outlives every read: only the reader's destructor follows
};

// Moves to the root element. False when the document has none or fails
// before it.
bool readRootElement(QXmlStreamReader &reader);

ParseError parseErrorOf(const QXmlStreamReader &reader);

// Reads the rest of the document and gives a parse its final status: a
// fault anywhere, also after the root, outranks a wrong root and rejects the
// whole document. Fills error when the result is NotWellFormed.
ParseStatus finishParse(QXmlStreamReader &reader, ParseStatus status, ParseError &error);

// text == literal, compared in line: the parsers test every attribute name
// against several literals, and each QLatin1String comparison is a call
// into QtCore.
template<qsizetype N>
inline bool matches(QStringView text, const char16_t (&literal)[N])
{
    if (text.size() != N - 1)
        return false;
    const char16_t *units = text.utf16();
    for (qsizetype i = 0; i < N - 1; ++i) {
        if (units[i] != literal[i])
            return false;
    }
    return true;
}

} // namespace vrex

#endif
