// vrexctl answers for one installation only: the one named on its command
// line (or by the environment), never whatever the library found at start-up.
#ifndef VREXCTL_REGISTRY_RELOAD_H
#define VREXCTL_REGISTRY_RELOAD_H

namespace vrexctl {

struct Invocation;

// Sets ZT_ROOT / ZT_SYSTEM from --root / --system where given.
void applyConfigurationRoot(const Invocation &invocation);

// Empties all four registries and loads them again, in the order the
// library's attach sequence uses.
void reloadRegistries();

} // namespace vrexctl

#endif
