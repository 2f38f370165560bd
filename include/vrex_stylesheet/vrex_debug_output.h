// The debug-output channel: attach progress, instances-file failures and
// lookup failures. By default each message's UTF-8 bytes go to stderr in one
// write, without prefix, ending with a line feed (added where the message
// has none, so that messages do not run together).
#ifndef VREX_DEBUG_OUTPUT_H
#define VREX_DEBUG_OUTPUT_H

#include <vrex_stylesheet/vrex_global.h>

#ifdef __cplusplus
extern "C" {
#endif

// Receives one message exactly as composed (NUL-terminated UTF-8). A message
// ends with a line feed only when its own text does.
typedef void (*vrex_debug_output_handler)(const char *text);

// Routes the channel to handler and returns the previous handler (never null).
// A null handler restores the stderr default. Like qInstallMessageHandler,
// it is not synchronised: install handlers from one thread.
VREX_STYLESHEET_EXPORT vrex_debug_output_handler
vrex_install_debug_output_handler(vrex_debug_output_handler handler);

// The attach lines are written while the library is loaded, before the
// host's main() and before the host's own static objects exist. A host that
// wants them defines this function (with C linkage) in its executable; the
// library looks it up once, right before the attach sequence, and installs
// the handler it returns (null keeps the default). It must not depend on the
// host's static objects.
vrex_debug_output_handler vrex_startup_debug_output_handler(void)
#if defined(__GNUC__)
    __attribute__((weak))
#endif
    ;

#ifdef __cplusplus
}
#endif

#endif // VREX_DEBUG_OUTPUT_H
