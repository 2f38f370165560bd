// Which installation vrexctl works on, and loading it into the library's
// registries.
#ifndef VREXCTL_CLI_INSTALLATION_ROOT_H
#define VREXCTL_CLI_INSTALLATION_ROOT_H

#include <QtCore/QString>

namespace vrexctl {

struct Invocation;

// Called before the library attaches: keeps ZT_ROOT and ZT_SYSTEM aside and
// points the library at a root that cannot exist, so the attach sequence
// reads nothing. vrexctl loads the installation it was asked for itself,
// and --help or --version never pay for one.
void setAsideStartupEnvironment();

// Restores the environment kept aside, then lets --root and --system
// override it; the library reads the environment at every load.
void applyConfigurationRoot(const Invocation &invocation);

// Why the installation cannot be found (root, system or config directory
// missing), naming the directory; empty when it is there.
QString missingInstallation(const Invocation &invocation);

// Empties the registries and loads them again from the current
// configuration root.
void reloadRegistries();
void reloadStyles();

} // namespace vrexctl

#endif
