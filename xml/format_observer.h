// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What a format's element handlers show of each element they read, for
// tools that judge a configuration rather than load it. The load path
// passes no observer and pays one null test per element and attribute.
#ifndef VREX_XML_FORMAT_OBSERVER_H
#define VREX_XML_FORMAT_OBSERVER_H

#include "xml/document_reader.h"

namespace vrex {

// The part an element plays in its file.
enum class RecordRole {
    Instance,
    Group,
    DeviceTypeRoot,
    Parameter,
    ComplexTypeRoot,
    Member,
    Redirection,
    StylesheetRoot,
    Style,
    Setting,
};

class FormatObserver
{
public:
    virtual ~FormatObserver() = default;

    // Around each file a loader reads: path as opened, then the reader's
    // verdict, so that an observer can tell which file its elements are in
    // and whether the load took them.
    virtual void beginFile(const QString &path) { Q_UNUSED(path); }
    virtual void endFile(const QString &path, const xml::Result &result)
    {
        Q_UNUSED(path);
        Q_UNUSED(result);
    }

    // An element that gives a record, before its attributes.
    virtual void element(RecordRole role, const xml::Element &element) = 0;
    // Each attribute of that element, in document order, as written (UTF-8);
    // known: the format reads it.
    virtual void attribute(RecordRole role, const xml::Element &element, const char *name,
                           const char *value, bool known) = 0;

    // What only the format's handler sees: a value it reads other than the
    // file seems to say.
    enum class Notice {
        NotANumber,        // subject: the attribute or ref key; value: the text, read as 0
        UnknownRefKey,     // subject: the key as written; the piece is ignored
        BlankAroundRefKey, // subject: the key as written, blanks and all; ignored too
        UnknownWord,       // subject: the attribute; value: the word, read as a default
        GroupsIgnored,     // element: a group child of an instance that is not composite
    };
    virtual void notice(RecordRole role, const xml::Element &element, Notice kind,
                        QByteArrayView subject, QByteArrayView value)
    {
        Q_UNUSED(role);
        Q_UNUSED(element);
        Q_UNUSED(kind);
        Q_UNUSED(subject);
        Q_UNUSED(value);
    }

    // The comments of the files, for an observer that asks: text as UTF-8,
    // where it begins, and where the start tag after it begins (line 0 when
    // none follows). Asked once per file; not asking costs nothing.
    virtual bool wantsComments() const { return false; }
    virtual void comment(QByteArrayView text, xml::Position at, xml::Position next)
    {
        Q_UNUSED(text);
        Q_UNUSED(at);
        Q_UNUSED(next);
    }
};

// The base of each format's element handler: passes the document's
// comments to an observer that wants them.
class ObservedElementHandler : public xml::ElementHandler
{
public:
    explicit ObservedElementHandler(FormatObserver *observer) : m_observer(observer) { }

    bool wantsComments() const override { return m_observer && m_observer->wantsComments(); }
    void comment(QByteArrayView text, xml::Position at, xml::Position next) override
    {
        m_observer->comment(text, at, next);
    }

private:
    FormatObserver *m_observer;
};

} // namespace vrex

#endif
