// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// JSON-RPC messages over a byte stream, framed as the Language Server
// Protocol 3.17 frames them: headers ("Content-Length: N"), a blank line,
// then N bytes of JSON.
#ifndef VREXCTL_LSP_MESSAGE_STREAM_H
#define VREXCTL_LSP_MESSAGE_STREAM_H

#include <QtCore/QByteArray>
#include <QtCore/QJsonObject>
#include <QtCore/QString>

namespace vrexctl::lsp {

// Takes bytes as they arrive and hands out whole message bodies.
class MessageReader
{
public:
    // A body longer than this is skipped as it arrives: a client that
    // sends one has lost its way, and holding it would cost the memory of
    // a configuration file many times over.
    static constexpr qint64 kMaxBody = qint64(512) << 20;

    void append(const QByteArray &bytes) { m_buffer.append(bytes); }

    struct Frame
    {
        enum Kind { None, Body, BadHeader };
        Kind kind = None;
        QByteArray body;
        QString error; // for BadHeader: what was wrong; the stream goes on after it
    };
    // The next body, a header that could not be read (skipped), or None
    // while more bytes are needed.
    Frame next();

private:
    QByteArray m_buffer;
    qint64 m_skip = 0; // bytes of an oversized body still to drop
};

// A message with its header, ready to write.
QByteArray frameMessage(const QJsonObject &message);

} // namespace vrexctl::lsp

#endif
