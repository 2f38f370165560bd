// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "lsp/message_stream.h"

#include <QtCore/QJsonDocument>

namespace vrexctl::lsp {

namespace {

constexpr QByteArrayView kHeaderEnd("\r\n\r\n");
// A header block longer than this has no end the client meant.
constexpr qsizetype kMaxHeader = 8192;

} // namespace

MessageReader::Frame MessageReader::next()
{
    if (m_skip > 0) {
        const qint64 dropped = qMin<qint64>(m_skip, m_buffer.size());
        m_buffer.remove(0, dropped);
        m_skip -= dropped;
        if (m_skip > 0)
            return {};
    }
    const qsizetype end = m_buffer.indexOf(kHeaderEnd);
    if (end < 0) {
        if (m_buffer.size() <= kMaxHeader)
            return {};
        m_buffer.clear();
        return {Frame::BadHeader, {}, QStringLiteral("a header longer than %1 bytes").arg(kMaxHeader)};
    }
    qint64 length = -1;
    QString error;
    for (const QByteArray &line : m_buffer.left(end).split('\n')) {
        const QByteArray header = line.trimmed();
        const qsizetype colon = header.indexOf(':');
        if (colon < 0) {
            error = QStringLiteral("a header line without a colon");
            continue;
        }
        if (header.left(colon).trimmed().compare("Content-Length", Qt::CaseInsensitive) != 0)
            continue; // Content-Type is the only other one, and its one value is UTF-8
        bool ok = false;
        length = header.mid(colon + 1).trimmed().toLongLong(&ok);
        if (!ok || length < 0) {
            error = QStringLiteral("Content-Length is no number of bytes");
            length = -1;
        }
    }
    if (length < 0) {
        m_buffer.remove(0, end + kHeaderEnd.size());
        return {Frame::BadHeader, {}, error.isEmpty() ? QStringLiteral("no Content-Length header") : error};
    }
    if (length > kMaxBody) {
        m_buffer.remove(0, end + kHeaderEnd.size());
        m_skip = length;
        return {Frame::BadHeader, {},
                QStringLiteral("a message of %1 bytes, more than the %2 MiB taken").arg(length).arg(kMaxBody >> 20)};
    }
    const qsizetype start = end + kHeaderEnd.size();
    if (m_buffer.size() - start < length)
        return {};
    Frame frame{Frame::Body, m_buffer.mid(start, length), {}};
    m_buffer.remove(0, start + length);
    return frame;
}

QByteArray frameMessage(const QJsonObject &message)
{
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace vrexctl::lsp
