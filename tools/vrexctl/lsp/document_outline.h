// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the format's own parser reads of one open document, element by
// element, with the reader's positions: the ground for hover, navigation,
// completion and quick fixes. It is read on request from the document's
// text, since most documents are never asked about, and placed in the text
// by finding the parser's attributes, in order, in the start tag that
// begins at the reader's position.
#ifndef VREXCTL_LSP_DOCUMENT_OUTLINE_H
#define VREXCTL_LSP_DOCUMENT_OUTLINE_H

#include "lsp/workspace_check.h"

#include "xml/format_observer.h"

#include <QtCore/QList>
#include <QtCore/QString>

namespace vrexctl::lsp {

class TextDocument;

struct OutlineElement
{
    vrex::RecordRole role;
    vrex::xml::Position at; // the reader's: 1-based line, column in characters
    QString tag;
    QList<QPair<QString, QString>> attributes; // as the parser saw them, in document order
    qsizetype parent = -1; // the instance of a group, the member of a redirection, the style of a setting

    QString value(const char *attribute) const;
    bool has(const char *attribute) const;
};

// An attribute of a start tag in the document's text (offsets into it).
struct AttributeSpan
{
    QString name;
    qsizetype nameStart = 0;
    qsizetype valueStart = 0; // after the opening quote
    qsizetype valueEnd = 0;   // at the closing quote
};

// The start tag at an element: where its name ends, its attributes, and
// where it ends (after '>', or where the text stops making sense).
struct StartTag
{
    qsizetype begin = 0; // at '<'
    qsizetype nameEnd = 0;
    qsizetype end = 0;
    QList<AttributeSpan> attributes;

    const AttributeSpan *find(const QString &name) const;
};

class DocumentOutline
{
public:
    DocumentOutline() = default;
    // Reads text as a file of kind; entry is a type file's directory entry.
    static DocumentOutline read(WorkspaceCheck::FileKind kind, const QString &entry, const QByteArray &text);

    const QList<OutlineElement> &elements() const { return m_elements; }
    // The element whose start tag begins last at or before offset, or -1.
    qsizetype elementBefore(const TextDocument &document, qsizetype offset) const;
    // Where element's start tag is in document.
    StartTag startTag(const TextDocument &document, qsizetype element) const;

private:
    friend class OutlineRecorder;
    QList<OutlineElement> m_elements;
};

} // namespace vrexctl::lsp

#endif
