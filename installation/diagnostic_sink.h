// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Where a load, a lookup or a save reports what went wrong. The library's
// host layer writes to its two channels; an Installation keeps what it is
// told, so a tool can say which files failed and why.
#ifndef VREX_INSTALLATION_DIAGNOSTIC_SINK_H
#define VREX_INSTALLATION_DIAGNOSTIC_SINK_H

#include "xml/document_reader.h"

#include <QtCore/QString>

namespace vrex {

enum class Channel {
    DebugOutput, // attach lines, instances-file failures, lookup failures
    QtMessages,  // device-type, complex-type and stylesheet file failures
};

class DiagnosticSink
{
public:
    virtual ~DiagnosticSink() = default;

    // One message, exactly as composed.
    virtual void write(Channel channel, const QString &text) = 0;

    // A configuration file that was not taken whole (before its message is
    // written): where, and the reader's verdict.
    virtual void fileFailed(const QString &path, const xml::Result &result)
    {
        Q_UNUSED(path);
        Q_UNUSED(result);
    }
};

} // namespace vrex

#endif
