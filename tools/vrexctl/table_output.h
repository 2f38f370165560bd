// Plain-text output: aligned columns for people reading a terminal.
#ifndef VREXCTL_TABLE_OUTPUT_H
#define VREXCTL_TABLE_OUTPUT_H

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

class Table
{
public:
    // No headers: a headerless table, e.g. "field  value" lines.
    explicit Table(const QStringList &headers = {});

    void addRow(const QStringList &cells);
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Columns padded to their widest cell and two blanks apart; no trailing
    // blanks; each row ends with a line feed.
    QString toText() const;

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};

} // namespace vrexctl

#endif
