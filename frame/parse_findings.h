// What a configuration-file parser notices that the load reads silently in
// some other way than the file seems to say: attributes no format reads,
// numbers that read as 0, words nobody recognises. The loaders pass no
// observer and pay nothing for this; vrexctl's check passes one.
#ifndef VREX_FRAME_PARSE_FINDINGS_H
#define VREX_FRAME_PARSE_FINDINGS_H

#include "frame/source_locator.h"

#include <QtCore/QStringList>
#include <QtCore/QXmlStreamReader>

#include <initializer_list>

namespace vrex {

struct ParseFinding
{
    enum Kind {
        UnknownAttribute, // name: the attribute; known: those the element takes
        NotANumber,       // name: attribute or ref key; value: the text read as 0
        UnknownRefKey,    // name: the key as written; known: the keys
        BlankInRefKey,    // name: the key as written; known: the keys
        UnknownWord,      // name: the attribute; value: the word; known: the words
        CompositeNotYes,  // value: "composite" as written (null: absent); groups ignored
        DuplicateGroup,   // value: the group id; first: where it was given before
    };
    Kind kind;
    QString element; // the element's role: "instance", "group", "parameter", ...
    QString name;
    QString value;
    QStringList known;
    SourcePosition at;
    SourcePosition first;
};

class ParseObserver
{
public:
    virtual ~ParseObserver();
    virtual void finding(const ParseFinding &finding) = 0;
};

// A parser's side of the check, made only when an observer was given.
class ParseReport
{
public:
    ParseReport(ParseObserver &observer, const QByteArray &data);

    // Position of the start tag the reader is on; it becomes the current one.
    SourcePosition element(const QXmlStreamReader &reader);
    SourcePosition attribute(QStringView name) const { return m_locator.attribute(name); }
    SourcePosition attributeValue(QStringView name, qsizetype index) const
    {
        return m_locator.attributeValue(name, index);
    }

    // Reports each attribute of the current element that is not in known.
    void checkAttributes(const QXmlStreamReader &reader, const QString &element,
                         std::initializer_list<const char16_t *> known);
    // Reports value when toInt cannot convert it (it then reads as 0).
    void checkNumber(const QString &element, QStringView name, QStringView value, SourcePosition at);
    void report(ParseFinding finding) { m_observer.finding(finding); }

private:
    ParseObserver &m_observer;
    SourceLocator m_locator;
};

} // namespace vrex

#endif
