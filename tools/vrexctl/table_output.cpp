#include "table_output.h"

#include <algorithm>

namespace vrexctl {

namespace {

void appendRow(QString &out, const QStringList &cells, const QList<qsizetype> &widths)
{
    QString line;
    for (qsizetype column = 0; column < cells.size(); ++column) {
        if (column > 0)
            line += QLatin1String("  ");
        line += cells.at(column);
        if (column + 1 < cells.size())
            line += QString(widths.at(column) - cells.at(column).size(), QLatin1Char(' '));
    }
    // A last column that is empty would leave the padding of the one before.
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    out += line;
    out += QLatin1Char('\n');
}

} // namespace

Table::Table(const QStringList &headers) : m_headers(headers) { }

void Table::addRow(const QStringList &cells)
{
    m_rows.append(cells);
}

QString Table::toText() const
{
    qsizetype columns = m_headers.size();
    for (const QStringList &row : m_rows)
        columns = std::max(columns, row.size());

    QList<qsizetype> widths(columns, 0);
    auto measure = [&widths](const QStringList &cells) {
        for (qsizetype column = 0; column < cells.size(); ++column)
            widths[column] = std::max(widths[column], cells.at(column).size());
    };
    measure(m_headers);
    for (const QStringList &row : m_rows)
        measure(row);

    QString out;
    if (!m_headers.isEmpty())
        appendRow(out, m_headers, widths);
    for (const QStringList &row : m_rows)
        appendRow(out, row, widths);
    return out;
}

} // namespace vrexctl
