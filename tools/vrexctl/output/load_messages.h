// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the library would have written on its channels while loading the
// installation or answering a query. vrexctl's own output must stay
// parseable, so these reach stderr only with -v, one line each, labelled
// with the load they came from.
#ifndef VREXCTL_OUTPUT_LOAD_MESSAGES_H
#define VREXCTL_OUTPUT_LOAD_MESSAGES_H

#include <QtCore/QString>

namespace vrex {
class Installation;
}

namespace vrexctl {

struct Invocation;

// Writes the installation's messages when -v was given, then forgets them,
// so a later call writes only what came after. Labelled with label, or the
// installation's configuration root.
void writeLoadMessages(const Invocation &invocation, vrex::Installation &installation, const QString &label = {});

} // namespace vrexctl

#endif
