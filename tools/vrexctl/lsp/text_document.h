// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// An open document as the client has it: its text, changed in place by
// full or incremental changes, and positions as the Language Server
// Protocol counts them (line, and UTF-16 code units within the line).
#ifndef VREXCTL_LSP_TEXT_DOCUMENT_H
#define VREXCTL_LSP_TEXT_DOCUMENT_H

#include <QtCore/QJsonObject>
#include <QtCore/QList>
#include <QtCore/QString>

namespace vrexctl::lsp {

struct Position
{
    qint64 line = 0;      // 0-based
    qint64 character = 0; // UTF-16 code units

    QJsonObject toJson() const;
    static Position fromJson(const QJsonValue &value);
    friend bool operator<(const Position &a, const Position &b)
    {
        return a.line != b.line ? a.line < b.line : a.character < b.character;
    }
    friend bool operator==(const Position &a, const Position &b)
    {
        return a.line == b.line && a.character == b.character;
    }
};

struct Range
{
    Position start;
    Position end;

    QJsonObject toJson() const;
    static Range fromJson(const QJsonValue &value);
};

class TextDocument
{
public:
    TextDocument() = default;
    TextDocument(const QString &text, qint64 version);

    const QString &text() const { return m_text; }
    qint64 version() const { return m_version; }

    // One entry of didChange's contentChanges: a range and the text that
    // replaces it, or a whole new text. A range past the end is clamped to
    // it, as clients that race their own edits may send one.
    void applyChange(const QJsonObject &change);
    void setVersion(qint64 version) { m_version = version; }

    // The index into text() of a position, clamped to its line and to the
    // document; and back.
    qsizetype offsetAt(Position position) const;
    Position positionAt(qsizetype offset) const;

    // Where the reader's position (1-based line, 1-based column counted in
    // characters) is in the client's terms.
    Position fromReader(qint64 line, qint64 column) const;
    qsizetype lineCount() const { return m_lineStarts.size(); }

private:
    void indexLines();

    QString m_text;
    qint64 m_version = 0;
    QList<qsizetype> m_lineStarts{0};
};

} // namespace vrexctl::lsp

#endif
