// Where the library's diagnostic lines go. vrexctl's own output must stay
// parseable, so both channels are taken over: from before main() through the
// startup hook, afterwards by a handler that writes them to stderr only with
// -v, one line each, labelled with the load they came from.
#ifndef VREXCTL_OUTPUT_LOAD_MESSAGES_H
#define VREXCTL_OUTPUT_LOAD_MESSAGES_H

#include <QtCore/QString>

namespace vrexctl {

// Replaces the start-up handlers by the live ones. What the library said
// while it attached concerns no installation (see registry_reload.h) and is
// dropped.
void routeDiagnostics(bool verbose);

// Names the load that the following lines come from.
void setDiagnosticLabel(const QString &label);

} // namespace vrexctl

#endif
