// Where things stand in a configuration file, for the findings of a check:
// the line and column of an element's start tag and of its attributes.
// Only built when someone asks for positions; the load never does.
#ifndef VREX_FRAME_SOURCE_LOCATOR_H
#define VREX_FRAME_SOURCE_LOCATOR_H

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringView>

#include <vector>

namespace vrex {

// 1-based line and column; columns count UTF-16 code units, as the XML
// reader does. 0 means unknown.
struct SourcePosition
{
    qint64 line = 0;
    qint64 column = 0;
};

class SourceLocator
{
public:
    explicit SourceLocator(const QByteArray &utf8);

    // Makes the start tag that ends right before endOffset (the reader's
    // characterOffset() on a StartElement) the current tag and returns the
    // position of its '<'.
    SourcePosition startTag(qint64 endOffset);

    // Position of the attribute's name within the current tag; the tag's
    // own position when the tag has no such attribute.
    SourcePosition attribute(QStringView name) const;

    // Position of the character at index within the attribute's value.
    SourcePosition attributeValue(QStringView name, qsizetype index) const;

    SourcePosition positionOf(qsizetype offset) const;

private:
    // Offset within the current tag; 0 (the '<') when not found.
    qsizetype attributeOffset(QStringView name, bool inValue, qsizetype index) const;

    QString m_text;
    std::vector<qsizetype> m_lineStarts; // offset of each line's first character
    qsizetype m_tagStart = 0;
    qsizetype m_tagEnd = 0;
};

} // namespace vrex

#endif
