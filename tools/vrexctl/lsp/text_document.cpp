// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "lsp/text_document.h"

#include <QtCore/QJsonValue>

#include <algorithm>

namespace vrexctl::lsp {

QJsonObject Position::toJson() const
{
    return {{QStringLiteral("line"), line}, {QStringLiteral("character"), character}};
}

Position Position::fromJson(const QJsonValue &value)
{
    return {value[QLatin1String("line")].toInteger(), value[QLatin1String("character")].toInteger()};
}

QJsonObject Range::toJson() const
{
    return {{QStringLiteral("start"), start.toJson()}, {QStringLiteral("end"), end.toJson()}};
}

Range Range::fromJson(const QJsonValue &value)
{
    return {Position::fromJson(value[QLatin1String("start")]), Position::fromJson(value[QLatin1String("end")])};
}

TextDocument::TextDocument(const QString &text, qint64 version) : m_text(text), m_version(version)
{
    indexLines();
}

void TextDocument::indexLines()
{
    m_lineStarts = {0};
    const QChar *data = m_text.constData();
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        if (data[i] == QLatin1Char('\n'))
            m_lineStarts.append(i + 1);
    }
}

void TextDocument::applyChange(const QJsonObject &change)
{
    const QString text = change[QLatin1String("text")].toString();
    if (!change.contains(QLatin1String("range"))) {
        m_text = text;
    } else {
        const Range range = Range::fromJson(change[QLatin1String("range")]);
        const qsizetype start = offsetAt(range.start);
        const qsizetype end = std::max(start, offsetAt(range.end));
        m_text.replace(start, end - start, text);
    }
    indexLines();
}

qsizetype TextDocument::offsetAt(Position position) const
{
    if (position.line < 0)
        return 0;
    if (position.line >= m_lineStarts.size())
        return m_text.size();
    const qsizetype start = m_lineStarts.at(position.line);
    const qsizetype lineEnd = position.line + 1 < m_lineStarts.size() ? m_lineStarts.at(position.line + 1) - 1
                                                                       : m_text.size();
    return start + std::clamp<qsizetype>(position.character, 0, lineEnd - start);
}

Position TextDocument::positionAt(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_text.size());
    const auto line = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), offset) - 1;
    return {line - m_lineStarts.cbegin(), offset - *line};
}

Position TextDocument::fromReader(qint64 line, qint64 column) const
{
    if (line <= 0)
        return {};
    if (line > m_lineStarts.size())
        return positionAt(m_text.size());
    // Characters outside the Basic Multilingual Plane are one column for
    // the reader and two code units for the client.
    const qsizetype start = m_lineStarts.at(line - 1);
    qsizetype at = start;
    for (qint64 left = column - 1; left > 0 && at < m_text.size() && m_text.at(at) != QLatin1Char('\n'); --left)
        at += m_text.at(at).isHighSurrogate() && at + 1 < m_text.size() ? 2 : 1;
    return {line - 1, at - start};
}

} // namespace vrexctl::lsp
