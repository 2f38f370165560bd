// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "frame/diagnostics.h"

#include "frame/platform.h"

#include <vrex_stylesheet/vrex_debug_output.h>

#include <QtCore/QByteArray>
#include <QtCore/QDebug>

namespace {
vrex_debug_output_handler g_handler = &vrex::platformDebugSink;
}

extern "C" vrex_debug_output_handler
vrex_install_debug_output_handler(vrex_debug_output_handler handler)
{
    vrex_debug_output_handler previous = g_handler;
    g_handler = handler ? handler : &vrex::platformDebugSink;
    return previous;
}

namespace vrex {

void debugOutput(const char *text)
{
    g_handler(text);
}

void debugOutput(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    g_handler(bytes.constData());
}

void qtMessage(const QString &text)
{
    // nospace: QDebug would otherwise chop a trailing blank of the text
    // (messages that end in " - " followed by an empty name).
    qDebug().nospace().noquote() << text;
}

} // namespace vrex
