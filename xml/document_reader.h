// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The one XML reader of the configuration files, over expat. It knows no
// file format: it hands each element up to a given depth to a handler and
// gives one verdict for the whole document, so that a document that is not
// well-formed anywhere (also after its root element) can be rejected whole.
//
// Names are read as written (no namespace processing). External entities
// and DTDs are never read; entity expansion is held to a fixed
// amplification. Text reaches the handler as UTF-8 whatever the file's
// encoding, converted by expat as it goes: there is no decoded copy of the
// file.
#ifndef VREX_XML_DOCUMENT_READER_H
#define VREX_XML_DOCUMENT_READER_H

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <cstring>

namespace vrex::xml {

struct Position
{
    qint64 line = 0;   // 1-based
    qint64 column = 0; // 1-based, in characters
};

enum class Status {
    Ok,            // well-formed, root accepted
    Unreadable,    // not a regular file, or it could not be read
    NotWellFormed, // the reason says why, the position where
    WrongRoot,     // well-formed, but the root element is not the expected one
};

struct Result
{
    Status status = Status::Ok;
    QString reason; // expat's own words, for NotWellFormed; for Unreadable, set only for a file too large
    Position at;    // of the fault, for NotWellFormed; of the root element, for WrongRoot
    QString root;   // the root element's name as written, for WrongRoot
};

// What a format expects of a document.
struct ReadPolicy
{
    QByteArray root;             // the root element's name, UTF-8
    bool readOtherRoots = false; // deliver the elements below a wrong root all the same
    int deepest = 1;             // elements deeper than this (root: 0) are only checked
    bool text = false;           // character data reaches the handler (tools only)
};

// The attributes of one element: expat's array of NUL-terminated UTF-8
// names and values, in document order.
class Attributes
{
public:
    explicit Attributes(const char **pairs) : m_pairs(pairs) { }

    class const_iterator
    {
    public:
        explicit const_iterator(const char **at) : m_at(at) { }
        const char *name() const { return m_at[0]; }
        const char *value() const { return m_at[1]; }
        const const_iterator &operator*() const { return *this; }
        const_iterator &operator++()
        {
            m_at += 2;
            return *this;
        }
        bool operator!=(const const_iterator &other) const { return *m_at != *other.m_at; }

    private:
        const char **m_at;
    };

    // Ends at the terminating null name, whatever the count.
    const_iterator begin() const { return const_iterator(m_pairs); }
    const_iterator end() const { return const_iterator(&kEnd); }

private:
    static inline const char *kEnd = nullptr;
    const char **m_pairs;
};

// name == literal, both NUL-terminated UTF-8, so "x:id" or "ids" is not
// "id". Stops at the first difference: never reads past the end of name.
template<size_t N>
inline bool matches(const char *name, const char (&literal)[N])
{
    for (size_t i = 0; i < N; ++i) {
        if (name[i] != literal[i])
            return false;
    }
    return true;
}

class Element
{
public:
    Element(const char *name, const char **attributes, int depth, void *parser)
        : m_name(name), m_attributes(attributes), m_depth(depth), m_parser(parser)
    {
    }

    const char *name() const { return m_name; } // as written, UTF-8
    Attributes attributes() const { return Attributes(m_attributes); }
    // The value of the attribute called \a name, or nullptr where the tag
    // has none. A linear scan: the formats' tags carry a handful.
    const char *attribute(const char *name) const
    {
        for (const char **a = m_attributes; a && *a; a += 2) {
            if (std::strcmp(*a, name) == 0)
                return a[1];
        }
        return nullptr;
    }
    int depth() const { return m_depth; } // the root is 0
    // Where the start tag begins; counted on demand, the load path never asks.
    Position position() const;
    // Where the start tag's '<' is, in bytes of the document as stored.
    qint64 byteOffset() const;

private:
    const char *m_name;
    const char **m_attributes;
    int m_depth;
    void *m_parser;
};

class ElementHandler
{
public:
    virtual ~ElementHandler() = default;
    // The document's size in bytes, before its first element.
    virtual void expectBytes(qint64 size) { Q_UNUSED(size); }
    // Every element down to the policy's depth, in document order.
    virtual void startElement(const Element &element) = 0;
    // Character data as UTF-8, in pieces, with the depth of the element it
    // stands directly in; only when the policy asks for text.
    virtual void text(QByteArrayView utf8, int depth)
    {
        Q_UNUSED(utf8);
        Q_UNUSED(depth);
    }

    // Comments reach only a handler that asks for them: text as UTF-8,
    // where the comment begins, and where the next start tag at any depth
    // begins (line 0 when no element follows). Without asking, the reader
    // does not look at comments at all.
    virtual bool wantsComments() const { return false; }
    // Of those, the ones whose positions are wanted; the others are dropped.
    virtual bool keepsComment(QByteArrayView text) const
    {
        Q_UNUSED(text);
        return true;
    }
    virtual void comment(QByteArrayView text, Position at, Position next)
    {
        Q_UNUSED(text);
        Q_UNUSED(at);
        Q_UNUSED(next);
    }
};

// Where a document comes from: bytes already in memory, or a file, which is
// read straight into the parser's buffer.
class Source
{
public:
    Source(QByteArrayView bytes) : m_bytes(bytes) { }
    Source(const QByteArray &bytes) : m_bytes(bytes) { }
    Source(const char *bytes) : m_bytes(bytes) { }
    static Source file(const QString &path)
    {
        Source source{QByteArrayView()};
        source.m_path = path;
        source.m_isFile = true;
        return source;
    }

    bool isFile() const { return m_isFile; }
    QByteArrayView bytes() const { return m_bytes; }
    const QString &path() const { return m_path; }

private:
    QByteArrayView m_bytes;
    QString m_path;
    bool m_isFile = false;
};

// The largest file the reader takes. Real configuration files are a few
// MiB; the generated 100,000-instance benchmark site's largest is 16 MiB.
inline constexpr qint64 kMaxDocumentBytes = qint64(256) << 20;

// Reads the whole document. A file larger than kMaxDocumentBytes is
// Unreadable, with the reason saying so. A file is taken only when it is a regular file
// (symlinks followed); a FIFO, a device or a directory is Unreadable
// without blocking. A fault anywhere outranks a wrong root.
Result readDocument(const Source &source, const ReadPolicy &policy, ElementHandler &handler);

} // namespace vrex::xml

#endif
