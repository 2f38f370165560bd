// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The weak startup hook: the library calls it right before its attach
// sequence, before main() and before this executable's own statics exist,
// so the handler uses nothing but a raw write.
#include <vrex_stylesheet/vrex_debug_output.h>

#include <cstring>
#include <unistd.h>

namespace {

void writeAll(const char *text, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, text, size);
        if (written <= 0)
            return;
        text += written;
        size -= size_t(written);
    }
}

// Each message framed as "hook[...]\n", so a message without its own line
// end stays recognisable.
void hookHandler(const char *text)
{
    writeAll("hook[", 5);
    writeAll(text, std::strlen(text));
    writeAll("]\n", 2);
}

} // namespace

extern "C" vrex_debug_output_handler vrex_startup_debug_output_handler(void)
{
    return &hookHandler;
}
