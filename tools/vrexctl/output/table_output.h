// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Plain-text output: aligned columns for people reading a terminal.
#ifndef VREXCTL_OUTPUT_TABLE_OUTPUT_H
#define VREXCTL_OUTPUT_TABLE_OUTPUT_H

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

// text with control characters written as escapes (\n, \t, \x1b, ...), so
// that a name from a file cannot break a line or drive the terminal.
QString escapeControlCharacters(const QString &text);

// Columns text takes on a terminal: wide (East Asian) characters two,
// combining marks none.
qsizetype displayWidth(const QString &text);

class Table
{
public:
    // No headers: a headerless table, e.g. "field  value" lines.
    explicit Table(const QStringList &headers = {});

    void addRow(const QStringList &cells);
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Cells escaped, columns padded to their widest cell (as the terminal
    // shows it) and two blanks apart; no trailing blanks; each row ends with
    // a line feed.
    QString toText() const;

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};

} // namespace vrexctl

#endif
