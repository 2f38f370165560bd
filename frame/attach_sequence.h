// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#ifndef VREX_FRAME_ATTACH_SEQUENCE_H
#define VREX_FRAME_ATTACH_SEQUENCE_H

namespace vrex {

// Fills the registries that are still empty, in the fixed order styles,
// instances, device types, complex types, announcing each step on the
// debug-output channel. Runs once per process, when the library is loaded.
void runAttachSequence();

} // namespace vrex

#endif
