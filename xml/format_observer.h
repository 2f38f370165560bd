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
        RepeatedRefKey,    // subject: a ref key given before; value: this later value, which wins
        NegativeNumber,    // subject: the attribute or ref key; value: the text, read as a negative number
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

    // An element the format does not read: below a record (an instance's
    // child that is no group, a parameter's child, ...) or deeper than the
    // format reads; the element of the record it stands in has role
    // parent. Only the outermost such element is told.
    virtual void unreadElement(RecordRole parent, const xml::Element &element)
    {
        Q_UNUSED(parent);
        Q_UNUSED(element);
    }
    // Character data directly inside an element of role, in pieces; told
    // for settings only, whose text the format does not read.
    virtual void text(RecordRole role, QByteArrayView utf8)
    {
        Q_UNUSED(role);
        Q_UNUSED(utf8);
    }

    // The comments of the files, for an observer that asks: text as UTF-8,
    // where it begins, and where the start tag after it begins (line 0 when
    // none follows). Asked once per file; not asking costs nothing.
    virtual bool wantsComments() const { return false; }
    virtual bool keepsComment(QByteArrayView text) const
    {
        Q_UNUSED(text);
        return true;
    }
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
    bool keepsComment(QByteArrayView text) const override { return m_observer->keepsComment(text); }
    void comment(QByteArrayView text, xml::Position at, xml::Position next) override
    {
        m_observer->comment(text, at, next);
    }

private:
    FormatObserver *m_observer;
};

// The depth a format reads down to when an observer watches: every
// element, so that the observer hears of those the format does not read.
inline constexpr int kObservedDepth = 1 << 20;

} // namespace vrex

#endif
