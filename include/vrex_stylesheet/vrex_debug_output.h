// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
/*!
 * \file vrex_debug_output.h
 * \brief The debug-output channel: attach progress, instances-file failures
 * and lookup failures, and how a host routes it.
 *
 * By default each message's UTF-8 bytes go to stderr in one `write()`,
 * without prefix, ending with a line feed (added where the message has
 * none, so that messages do not run together).
 */
#ifndef VREX_DEBUG_OUTPUT_H
#define VREX_DEBUG_OUTPUT_H

#include <vrex_stylesheet/vrex_global.h>

#ifdef __cplusplus
extern "C" {
#endif

/*!
 * \brief Receives one message of the debug-output channel.
 *
 * \a text is the message exactly as composed: NUL-terminated UTF-8, valid
 * only during the call, ending with a line feed only when its own text
 * does. Called on the thread that made the library call, also before the
 * host's `main()` (see vrex_startup_debug_output_handler()).
 */
typedef void (*vrex_debug_output_handler)(const char *text);

/*!
 * \brief Routes the debug-output channel to \a handler.
 *
 * A null \a handler restores the stderr default. Every later message goes
 * to the new handler; nothing is buffered or replayed.
 *
 * \return the previous handler, never null (the stderr default is returned
 *         as a callable function too).
 *
 * Like `qInstallMessageHandler`, it is not synchronised: install handlers
 * from one thread, while no other thread calls into the library.
 */
VREX_STYLESHEET_EXPORT vrex_debug_output_handler
vrex_install_debug_output_handler(vrex_debug_output_handler handler);

/*!
 * \brief Defined by a host that wants the attach lines; the library only
 * declares it.
 *
 * The attach lines are written while the library is loaded: before the
 * host's `main()` and before the host's own static objects exist. A host
 * that wants them defines this function with C linkage in its executable
 * (exported with `-rdynamic` or CMake's `ENABLE_EXPORTS` when the library
 * is `dlopen()`ed). The library looks it up once, right before the attach
 * sequence, calls it, and installs the handler it returns; null keeps the
 * default. Neither the function nor the handler may depend on the host's
 * static objects (use function-local statics or plain `write()`).
 *
 * Declared weak: a host that does not define it links and runs unchanged.
 */
vrex_debug_output_handler vrex_startup_debug_output_handler(void)
#if defined(__GNUC__)
    __attribute__((weak))
#endif
    ;

#ifdef __cplusplus
}
#endif

#endif // VREX_DEBUG_OUTPUT_H
