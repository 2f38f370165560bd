// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What differs per platform: the library entry and the default debug sink.
// Each platform has one small file that defines both.
#ifndef VREX_FRAME_PLATFORM_H
#define VREX_FRAME_PLATFORM_H

namespace vrex {

// The debug-output channel's default destination.
void platformDebugSink(const char *text);

} // namespace vrex

#endif
