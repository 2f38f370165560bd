// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Captures of the two diagnostic channels for the duration of a scope; a
// capture opened inside another starts empty and hands back to it.
#ifndef VREX_TESTS_CAPTURE_H
#define VREX_TESTS_CAPTURE_H

#include <vrex_stylesheet/vrex_debug_output.h>

#include <QtCore/QStringList>
#include <QtCore/QtGlobal>

#include <utility>

namespace vrextest {

// The messages of one channel since the capture opened, one entry each.
class MessageCapture
{
public:
    Q_DISABLE_COPY(MessageCapture)
    QStringList messages() const { return *m_messages; }
    void clear() { m_messages->clear(); }

protected:
    explicit MessageCapture(QStringList &messages) : m_messages(&messages), m_saved(std::exchange(messages, {})) { }
    ~MessageCapture() { *m_messages = m_saved; }

private:
    QStringList *m_messages;
    QStringList m_saved;
};

// Everything written to the debug-output channel.
class DebugOutputCapture : public MessageCapture
{
public:
    DebugOutputCapture();
    ~DebugOutputCapture();

private:
    vrex_debug_output_handler m_previous;
};

// Every debug-level Qt message, text exactly as sent.
class QtMessageCapture : public MessageCapture
{
public:
    QtMessageCapture();
    ~QtMessageCapture();

private:
    QtMessageHandler m_previous;
};

} // namespace vrextest

#endif
