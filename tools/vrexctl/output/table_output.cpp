// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/table_output.h"

#include <algorithm>

namespace vrexctl {

namespace {

bool isWide(char32_t c)
{
    // East Asian Wide and Fullwidth blocks, as terminals render them.
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
            || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
            || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
            || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F)
            || (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

void appendRow(QString &out, const QStringList &cells, const QList<qsizetype> &widths)
{
    QString line;
    for (qsizetype column = 0; column < cells.size(); ++column) {
        if (column > 0)
            line += QLatin1String("  ");
        const QString cell = escapeControlCharacters(cells.at(column));
        line += cell;
        if (column + 1 < cells.size())
            line += QString(widths.at(column) - displayWidth(cell), QLatin1Char(' '));
    }
    // A last column that is empty would leave the padding of the one before.
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    out += line;
    out += QLatin1Char('\n');
}

} // namespace

QString escapeControlCharacters(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            out += QLatin1String("\\n");
        else if (u == u'\t')
            out += QLatin1String("\\t");
        else if (u == u'\r')
            out += QLatin1String("\\r");
        else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

qsizetype displayWidth(const QString &text)
{
    qsizetype width = 0;
    for (const char32_t c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            continue;
        width += isWide(c) ? 2 : 1;
    }
    return width;
}

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
            widths[column] = std::max(widths[column], displayWidth(escapeControlCharacters(cells.at(column))));
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
