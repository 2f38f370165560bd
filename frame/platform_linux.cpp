// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Linux entry: the process-wide statics, in their fixed order, followed by
// the object whose construction runs the attach sequence. Being in one
// translation unit guarantees the order: the registries exist before the
// attach sequence fills them, and static destruction at unload (exit or
// dlclose) tears them down in reverse. The dynamic loader runs this before
// dlopen() returns or, for a linked host, before main(), so no exported call
// can come first. Thread attach and detach have no counterpart here.

#include "frame/attach_sequence.h"
#include "frame/platform.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

QMap<QString, instanceInfo> vrex_instance_lookup::instances;
QMap<QString, deviceTypeInfo> vrex_instance_lookup::deviceTypes;
QMap<QString, complexType> vrex_instance_lookup::complexTypes;
QMap<QString, styleentry> vrex_stylesheet::styles;
QString vrex_stylesheet::m_sFilename;

namespace {

struct ProcessAttach
{
    ProcessAttach() { vrex::runAttachSequence(); }
};

const ProcessAttach processAttach;

} // namespace

namespace vrex {

void platformDebugSink(const char *text)
{
    // A terminal or log file has no debugger to delimit messages: each ends
    // its line here, so a message without a line end of its own does not
    // run into the next. One write per message so lines from several
    // processes sharing a terminal or log do not interleave mid-message.
    size_t length = std::strlen(text);
    QByteArray line;
    if (length == 0 || text[length - 1] != '\n') {
        line.reserve(qsizetype(length) + 1);
        line.append(text, qsizetype(length));
        line.append('\n');
        text = line.constData();
        length = size_t(line.size());
    }
    size_t remaining = length;
    while (remaining > 0) {
        const ssize_t written = ::write(STDERR_FILENO, text, remaining);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        text += written;
        remaining -= size_t(written);
    }
}

} // namespace vrex
