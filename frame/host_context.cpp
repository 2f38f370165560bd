// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "frame/host_context.h"

#include "frame/config_root.h"
#include "frame/diagnostics.h"
#include "stylesheet/stylesheet_replace.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace vrex {

namespace {

class ChannelSink final : public DiagnosticSink
{
public:
    void write(Channel channel, const QString &text) override
    {
        if (channel == Channel::DebugOutput)
            debugOutput(text);
        else
            qtMessage(text);
    }
};

// Function-local: the attach sequence runs from another translation unit's
// static initialisation, before this one's would be certain to.
ChannelSink &channels()
{
    static ChannelSink sink;
    return sink;
}

const FileSource &fileSystem()
{
    static const FileSource files;
    return files;
}

} // namespace

DiagnosticSink *hostSink()
{
    return &channels();
}

LoadContext hostLoadContext()
{
    LoadContext context;
    context.configRoot = configRoot();
    context.files = &fileSystem();
    context.sink = &channels();
    context.recoveryDir = defaultRecoveryDirectory();
    return context;
}

Catalogue hostCatalogue()
{
    return {vrex_instance_lookup::instances, vrex_instance_lookup::deviceTypes, vrex_instance_lookup::complexTypes};
}

} // namespace vrex
