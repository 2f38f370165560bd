// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "installation/config_file_load.h"

namespace vrex {

namespace {

void write(DiagnosticSink *sink, Channel channel, const QString &text)
{
    if (sink)
        sink->write(channel, text);
}

} // namespace

bool reportConfigFile(const QString &path, const xml::Result &result, const ConfigFileMessages &messages,
                      DiagnosticSink *sink)
{
    if (result.status != xml::Status::Ok && sink)
        sink->fileFailed(path, result);
    switch (result.status) {
    case xml::Status::Ok:
        return true;
    case xml::Status::Unreadable:
        write(sink, messages.channel, messages.cannotOpen);
        // A file refused for its size, or one that exhausted memory, says
        // why: "could not find" alone would send the reader looking for a
        // missing file.
        if (!result.reason.isEmpty())
            write(sink, Channel::QtMessages, QStringLiteral("vrex_stylesheet: ") + path + QStringLiteral(": ")
                          + result.reason);
        return false;
    case xml::Status::NotWellFormed:
        write(sink, messages.channel,
              messages.withReason ? messages.notWellFormed + result.reason : messages.notWellFormed);
        return false;
    case xml::Status::WrongRoot:
        write(sink, messages.channel, messages.wrongRoot);
        return !messages.wrongRootRejects;
    }
    return false;
}

} // namespace vrex
