#include "frame/document_limits.h"

#include <QtCore/QByteArrayView>
#include <QtCore/QStringConverter>
#include <QtCore/QStringView>
#include <QtCore/QXmlStreamReader>

#include <algorithm>
#include <array>
#include <cstring>

namespace vrex {

namespace {

struct DocumentShape
{
    qsizetype maxAttributes = 0;    // most '=' outside quoted values in one start tag
    qsizetype entityReferences = 0; // "&name" other than the five predefined entities
    bool internalSubset = false;    // the document type declaration has "[...]"
    bool attributeLists = false;    // ... declaring attribute lists
    bool parameterReferences = false; // ... or referring to parameter entities
};

// The first c in [from, to), or to. Bytes go through memchr, several times
// faster than a loop over a large file.
const uchar *find(const uchar *from, const uchar *to, uchar c)
{
    const auto *found = static_cast<const uchar *>(std::memchr(from, c, size_t(to - from)));
    return found ? found : to;
}

const char16_t *find(const char16_t *from, const char16_t *to, char16_t c)
{
    return std::find(from, to, c);
}

constexpr std::array<bool, 0x80> kTagSyntax = [] {
    std::array<bool, 0x80> table{};
    for (const char c : {'"', '\'', '=', '>'})
        table[uchar(c)] = true;
    return table;
}();

// Just precise enough to find start tags, quoted values and references
// where the XML reader finds them. Comments, CDATA sections and processing
// instructions are skipped whole, so a quote inside one cannot hide a tag.
// Unit is uchar for ASCII-compatible bytes, char16_t for decoded text.
template<typename Unit>
class ShapeScanner
{
public:
    ShapeScanner(const Unit *begin, const Unit *end) : m_pos(begin), m_end(end) { }

    DocumentShape scan()
    {
        while (m_pos < m_end) {
            m_pos = countReferencesUpTo(find(m_pos, m_end, Unit('<')));
            if (m_pos == m_end)
                break;
            if (m_pos + 1 < m_end && isStartTagNameStart(m_pos[1])) {
                // Nearly every '<' opens a start tag: no marker to compare.
                ++m_pos;
                m_shape.maxAttributes = std::max(m_shape.maxAttributes, scanToTagEnd());
            } else if (!skipUnquotedConstruct()) {
                if (startsWith("<!DOCTYPE")) {
                    m_pos += 9;
                    scanDoctype();
                } else {
                    const bool startTag = !startsWith("</") && !startsWith("<!");
                    ++m_pos;
                    const qsizetype attributes = scanToTagEnd();
                    if (startTag)
                        m_shape.maxAttributes = std::max(m_shape.maxAttributes, attributes);
                }
            }
        }
        return m_shape;
    }

private:
    // Not '/', '!' or '?', which open the other constructs.
    static bool isStartTagNameStart(Unit c)
    {
        return c != u'/' && c != u'!' && c != u'?';
    }

    // Units that matter inside a tag: quotes, '=' and '>'. Looked up in a
    // table: most of a configuration file is inside tags.
    static bool isTagSyntax(Unit c) { return c < 0x80 && kTagSyntax[c]; }

    bool startsWith(const char *marker) const
    {
        const Unit *at = m_pos;
        for (; *marker; ++marker, ++at) {
            if (at == m_end || *at != Unit(uchar(*marker)))
                return false;
        }
        return true;
    }

    void skipPast(const char *marker)
    {
        while (m_pos < m_end && !startsWith(marker))
            ++m_pos;
        m_pos += std::min<qsizetype>(m_end - m_pos, qsizetype(qstrlen(marker)));
    }

    bool skipUnquotedConstruct()
    {
        if (startsWith("<!--")) {
            m_pos += 4;
            skipPast("-->");
        } else if (startsWith("<![CDATA[")) {
            m_pos += 9;
            skipPast("]]>");
        } else if (startsWith("<?")) {
            m_pos += 2;
            skipPast("?>");
        } else {
            return false;
        }
        return true;
    }

    // On '&': character references and the predefined entities expand to
    // one character each and are not counted.
    void countReference()
    {
        ++m_pos;
        if (m_pos < m_end && *m_pos == u'#')
            return;
        for (const char *predefined : {"amp;", "lt;", "gt;", "quot;", "apos;"}) {
            if (startsWith(predefined))
                return;
        }
        ++m_shape.entityReferences;
    }

    // Counts the references in [m_pos, to) and returns to. Only a document
    // with an internal subset can declare entities, and its subset comes
    // before any content: references elsewhere are the reader's to reject,
    // and costly only through declarations, so they are not looked for.
    const Unit *countReferencesUpTo(const Unit *to)
    {
        if (!m_shape.internalSubset)
            return to;
        while ((m_pos = find(m_pos, to, Unit('&'))) < to)
            countReference();
        return to;
    }

    // From inside a tag or declaration to after its closing '>'. Returns
    // the '=' signs outside quoted values: one per attribute.
    qsizetype scanToTagEnd()
    {
        qsizetype equals = 0;
        while (m_pos < m_end) {
            while (m_pos < m_end && !isTagSyntax(*m_pos))
                ++m_pos;
            if (m_pos == m_end)
                break;
            const Unit c = *m_pos++;
            if (c == u'"' || c == u'\'') {
                m_pos = countReferencesUpTo(find(m_pos, m_end, c));
                m_pos += m_pos < m_end;
            } else if (c == u'=') {
                ++equals;
            } else if (c == u'>') {
                break;
            }
        }
        return equals;
    }

    void scanDoctype()
    {
        while (m_pos < m_end) {
            const Unit c = *m_pos++;
            if (c == u'"' || c == u'\'') {
                while (m_pos < m_end && *m_pos != c)
                    ++m_pos;
                m_pos += m_pos < m_end;
            } else if (c == u'>') {
                return;
            } else if (c == u'[') {
                m_shape.internalSubset = true;
                scanInternalSubset();
            }
        }
    }

    // Declarations, comments and processing instructions up to the ']'.
    void scanInternalSubset()
    {
        while (m_pos < m_end) {
            const Unit c = *m_pos;
            if (c == u']') {
                ++m_pos;
                return;
            }
            if (c == u'<' && !skipUnquotedConstruct()) {
                m_shape.attributeLists |= startsWith("<!ATTLIST");
                ++m_pos;
                scanToTagEnd();
            } else if (c != u'<') {
                m_shape.parameterReferences |= c == u'%';
                ++m_pos;
            }
        }
    }

    const Unit *m_pos;
    const Unit *m_end;
    DocumentShape m_shape;
};

DocumentShape shapeOfText(const QString &text)
{
    const auto *units = reinterpret_cast<const char16_t *>(text.utf16());
    return ShapeScanner<char16_t>(units, units + text.size()).scan();
}

DocumentShape shapeOfBytes(QByteArrayView bytes)
{
    const auto *units = reinterpret_cast<const uchar *>(bytes.data());
    return ShapeScanner<uchar>(units, units + bytes.size()).scan();
}

// The encoding an XML declaration names and where the declaration ends, or
// an empty name.
QByteArray declaredEncoding(const QByteArray &data, qsizetype *declarationEnd)
{
    const qsizetype start = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (data.mid(start, 5) != "<?xml")
        return QByteArray();
    const qsizetype end = data.indexOf("?>", start);
    if (end < 0)
        return QByteArray();
    const QByteArray declaration = data.mid(start, end - start);
    qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return QByteArray();
    at = declaration.indexOf('=', at);
    const qsizetype open = at < 0 ? -1 : qMax(declaration.indexOf('"', at), declaration.indexOf('\'', at));
    if (open < 0)
        return QByteArray();
    const qsizetype close = declaration.indexOf(declaration.at(open), open + 1);
    if (close < 0)
        return QByteArray();
    *declarationEnd = end + 2;
    return declaration.mid(open + 1, close - open - 1).trimmed();
}

DocumentShape shapeOf(const QByteArray &data)
{
    // UTF-16 and UTF-32, found as the reader finds them: by byte-order mark
    // or by the first '<'.
    const std::optional<QStringConverter::Encoding> detected = QStringConverter::encodingForData(data, u'<');
    if (detected && *detected != QStringConverter::Utf8 && *detected != QStringConverter::Latin1) {
        QStringDecoder decoder(*detected);
        return shapeOfText(decoder(data));
    }
    // After an ASCII declaration the reader switches to the encoding it
    // names, in which '<' or '=' may be other bytes.
    qsizetype declarationEnd = 0;
    const QByteArray encoding = declaredEncoding(data, &declarationEnd);
    if (!encoding.isEmpty() && encoding.compare("UTF-8", Qt::CaseInsensitive) != 0) {
        QStringDecoder decoder(encoding.constData());
        if (decoder.isValid()) {
            return shapeOfText(decoder(QByteArrayView(data).sliced(declarationEnd)));
        }
    }
    return shapeOfBytes(data);
}

// Only an internal subset can declare entities; the reader reads the
// prolog once to see how long they are.
QString refusalForEntities(const QByteArray &data, qsizetype entityReferences)
{
    QXmlStreamReader prolog;
    prolog.setNamespaceProcessing(false);
    prolog.addData(data);
    while (!prolog.atEnd()) {
        const QXmlStreamReader::TokenType token = prolog.readNext();
        if (token == QXmlStreamReader::StartElement)
            break;
        if (token != QXmlStreamReader::DTD)
            continue;

        qsizetype longest = 0;
        const QXmlStreamEntityDeclarations entities = prolog.entityDeclarations();
        for (const QXmlStreamEntityDeclaration &entity : entities) {
            // A value that refers on may reach the reader's limit per reference.
            const qsizetype length =
                    entity.value().contains(u'&') ? prolog.entityExpansionLimit() : entity.value().size();
            longest = std::max(longest, length);
        }
        const qsizetype budget = std::max(kEntityExpansionBudget, data.size());
        if (longest > 0 && entityReferences > budget / longest) {
            return QStringLiteral("Entity references could expand to more than %1 characters.")
                    .arg(budget);
        }
        break;
    }
    return QString();
}

} // namespace

QString refusalForCostlyDocument(const QByteArray &data)
{
    const DocumentShape shape = shapeOf(data);
    if (shape.maxAttributes > kMaxAttributesPerElement)
        return QStringLiteral("An element carries more than %1 attributes.").arg(kMaxAttributesPerElement);
    // Attribute lists are taken in pairwise, and applied at every element;
    // parameter entities could bring in lists this scan does not see.
    if (shape.attributeLists)
        return QStringLiteral("Attribute-list declarations are not supported.");
    if (shape.parameterReferences)
        return QStringLiteral("Parameter entity references are not supported.");
    if (shape.internalSubset)
        return refusalForEntities(data, shape.entityReferences);
    return QString();
}

} // namespace vrex
