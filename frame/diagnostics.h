// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The library's two diagnostic channels.
#ifndef VREX_FRAME_DIAGNOSTICS_H
#define VREX_FRAME_DIAGNOSTICS_H

#include <QtCore/QString>

namespace vrex {

// Debug-output channel: the text exactly as composed, UTF-8, no line end
// added. Goes to the installed vrex_debug_output_handler (stderr by default).
void debugOutput(const QString &text);
void debugOutput(const char *text);

// Qt message channel: one debug-level Qt message whose text is exactly
// `text`; never interpreted as a format.
void qtMessage(const QString &text);

} // namespace vrex

#endif
