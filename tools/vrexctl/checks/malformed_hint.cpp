// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/malformed_hint.h"

#include <QtCore/QFile>
#include <QtCore/QList>

#include <expat.h>

#include <climits>

namespace vrexctl {

namespace {

struct OpenElement
{
    QByteArray name;
    vrex::xml::Position at;
};

struct Scan
{
    XML_Parser parser;
    QList<OpenElement> open;
};

vrex::xml::Position positionOf(XML_Parser parser)
{
    return {qint64(XML_GetCurrentLineNumber(parser)), qint64(XML_GetCurrentColumnNumber(parser)) + 1};
}

void XMLCALL onStart(void *data, const XML_Char *name, const XML_Char **)
{
    auto *scan = static_cast<Scan *>(data);
    scan->open.append({QByteArray(name), positionOf(scan->parser)});
}

void XMLCALL onEnd(void *data, const XML_Char *)
{
    static_cast<Scan *>(data)->open.removeLast();
}

QByteArray bytesOf(const vrex::xml::Source &source)
{
    if (!source.isFile())
        return source.bytes().toByteArray();
    QFile file(source.path());
    if (!file.open(QIODevice::ReadOnly) || file.size() > vrex::xml::kMaxDocumentBytes)
        return QByteArray();
    return file.readAll();
}

bool isNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
            || c == '.' || c == ':' || c == '#' || uchar(c) >= 0x80;
}

// Whether offset lies inside a comment opened before it.
bool insideComment(const QByteArray &bytes, qsizetype offset)
{
    const qsizetype open = bytes.lastIndexOf("<!--", offset);
    if (open < 0)
        return false;
    const qsizetype close = bytes.indexOf("-->", open + 4);
    return close < 0 || close >= offset;
}

// The line a merge left its conflict marker on, or 0.
qint64 conflictMarkerLine(const QByteArray &bytes)
{
    qint64 line = 1;
    for (qsizetype start = 0; start < bytes.size(); ++line) {
        const QByteArrayView text = QByteArrayView(bytes).sliced(start);
        if (text.startsWith("<<<<<<<") || text.startsWith(">>>>>>>") || text.startsWith("======="))
            return line;
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break;
        start = end + 1;
    }
    return 0;
}

QString tagOf(const QByteArray &name)
{
    return QLatin1Char('<') + QString::fromUtf8(name) + QLatin1Char('>');
}

} // namespace

MalformedHint malformedHint(const vrex::xml::Source &source, const vrex::xml::Result &result)
{
    MalformedHint hint;
    const QByteArray bytes = bytesOf(source);
    if (const qint64 line = conflictMarkerLine(bytes)) {
        hint.text = QStringLiteral("line %1 is a merge-conflict marker; resolve the conflict").arg(line);
        return hint;
    }
    if (bytes.size() > INT_MAX)
        return hint;

    Scan scan{XML_ParserCreate(nullptr), {}};
    XML_SetUserData(scan.parser, &scan);
    XML_SetElementHandler(scan.parser, onStart, onEnd);
    XML_SetParamEntityParsing(scan.parser, XML_PARAM_ENTITY_PARSING_NEVER);
    const bool failed = XML_Parse(scan.parser, bytes.constData(), int(bytes.size()), XML_TRUE) == XML_STATUS_ERROR;
    const XML_Error error = XML_GetErrorCode(scan.parser);
    const vrex::xml::Position at = positionOf(scan.parser);
    const qsizetype offset = qsizetype(XML_GetCurrentByteIndex(scan.parser));
    XML_ParserFree(scan.parser);
    // Read otherwise than the library read it (an encoding only the
    // library knows): no guessing.
    if (!failed || at.line != result.at.line || at.column != result.at.column || offset < 0 || offset > bytes.size())
        return hint;

    switch (error) {
    case XML_ERROR_TAG_MISMATCH:
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
        if (scan.open.isEmpty())
            break;
        hint.related = scan.open.constLast().at;
        hint.relatedMessage = tagOf(scan.open.constLast().name) + QStringLiteral(" is opened here");
        hint.text = QStringLiteral("%1, opened at %2:%3, is %4")
                            .arg(tagOf(scan.open.constLast().name))
                            .arg(hint.related.line)
                            .arg(hint.related.column)
                            .arg(error == XML_ERROR_TAG_MISMATCH ? QStringLiteral("not closed before this end tag")
                                                                 : QStringLiteral("never closed"));
        return hint;
    case XML_ERROR_UNDEFINED_ENTITY:
        hint.text = QStringLiteral("XML knows only &amp; &lt; &gt; &quot; &apos; and character references; write "
                                   "a '&' that stands for itself as &amp;");
        return hint;
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
        hint.text = QStringLiteral("a file holds one root element, and something follows it here");
        return hint;
    case XML_ERROR_DUPLICATE_ATTRIBUTE:
        hint.text = QStringLiteral("an element gives the same attribute twice");
        return hint;
    default:
        break;
    }
    if (insideComment(bytes, offset)) {
        hint.text = QStringLiteral("\"--\" may not stand inside a comment");
        return hint;
    }
    // A '&' a few name characters back: an entity reference never ended,
    // or none begun.
    for (qsizetype i = std::min(offset, bytes.size() - 1); i >= 0 && offset - i <= 32; --i) {
        if (bytes.at(i) == '&') {
            hint.text = QStringLiteral("a '&' that stands for itself must be written &amp;");
            return hint;
        }
        if (!isNameByte(bytes.at(i)) && i != offset)
            break;
    }
    qsizetype before = offset - 1;
    while (before >= 0 && (bytes.at(before) == ' ' || bytes.at(before) == '\t'))
        --before;
    if (before >= 0 && bytes.at(before) == '=' && offset < bytes.size() && bytes.at(offset) != '"'
        && bytes.at(offset) != '\'') {
        hint.text = QStringLiteral("attribute values stand in quotes");
    } else if (offset < bytes.size() && bytes.at(offset) == '<') {
        hint.text = QStringLiteral("a '<' that stands for itself must be written &lt;");
    }
    return hint;
}

} // namespace vrexctl
