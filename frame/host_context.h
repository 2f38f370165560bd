// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the library's exported classes hand the core: the configuration root
// of the moment, the file system, and the two diagnostic channels.
#ifndef VREX_FRAME_HOST_CONTEXT_H
#define VREX_FRAME_HOST_CONTEXT_H

#include "installation/config_file_load.h"
#include "instance_lookup/catalogue.h"

namespace vrex {

// Writes to the debug-output channel and the Qt message channel.
DiagnosticSink *hostSink();

// A load as the exported loaders do it: below configRoot() as the
// environment says now, from the file system, reported on the channels;
// recovery copies of in-place saves go to this user's state directory.
LoadContext hostLoadContext();

// The process-wide registries.
Catalogue hostCatalogue();

} // namespace vrex

#endif
