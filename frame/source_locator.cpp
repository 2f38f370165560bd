#include "frame/source_locator.h"

#include <algorithm>

namespace vrex {

namespace {

bool isXmlBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

SourceLocator::SourceLocator(const QByteArray &utf8) : m_text(QString::fromUtf8(utf8))
{
    // Line ends as XML counts them: "\r\n", "\n" or a lone "\r".
    m_lineStarts.push_back(0);
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 == m_text.size() || m_text.at(i + 1) != u'\n')))
            m_lineStarts.push_back(i + 1);
    }
}

SourcePosition SourceLocator::positionOf(qsizetype offset) const
{
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const qsizetype line = next - m_lineStarts.begin();
    return {line, offset - *(next - 1) + 1};
}

SourcePosition SourceLocator::startTag(qint64 endOffset)
{
    // An attribute value cannot hold a literal '<', so the nearest one
    // before the end is the tag's own.
    m_tagEnd = std::clamp<qsizetype>(endOffset, 0, m_text.size());
    const qsizetype open = m_text.lastIndexOf(u'<', m_tagEnd - 1);
    m_tagStart = open < 0 ? 0 : open;
    return positionOf(m_tagStart);
}

SourcePosition SourceLocator::attribute(QStringView name) const
{
    return positionOf(m_tagStart + attributeOffset(name, false, 0));
}

SourcePosition SourceLocator::attributeValue(QStringView name, qsizetype index) const
{
    return positionOf(m_tagStart + attributeOffset(name, true, index));
}

qsizetype SourceLocator::attributeOffset(QStringView name, bool inValue, qsizetype index) const
{
    // Walks name="value" pairs after the tag name; values may hold '>' and
    // the other quote, never their own.
    const QStringView tag = QStringView(m_text).sliced(m_tagStart, m_tagEnd - m_tagStart);
    qsizetype i = 1;
    while (i < tag.size() && !isXmlBlank(tag[i]) && tag[i] != u'>' && tag[i] != u'/')
        ++i;
    while (i < tag.size()) {
        while (i < tag.size() && isXmlBlank(tag[i]))
            ++i;
        const qsizetype nameStart = i;
        while (i < tag.size() && !isXmlBlank(tag[i]) && tag[i] != u'=' && tag[i] != u'>' && tag[i] != u'/')
            ++i;
        if (i == nameStart)
            break;
        const bool found = tag.sliced(nameStart, i - nameStart) == name;
        if (found && !inValue)
            return nameStart;
        while (i < tag.size() && (isXmlBlank(tag[i]) || tag[i] == u'='))
            ++i;
        if (i == tag.size() || (tag[i] != u'"' && tag[i] != u'\''))
            break;
        const qsizetype close = tag.indexOf(tag[i], i + 1);
        if (close < 0)
            break;
        // Exact unless the value holds entity or character references.
        if (found)
            return std::min(i + 1 + index, close);
        i = close + 1;
    }
    return 0;
}

} // namespace vrex
