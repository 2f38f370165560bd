// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// For tests of the exported classes, which read the configuration root from
// the environment by contract: points ZT_ROOT/ZT_SYSTEM at a fixture tree
// for the lifetime of the object.
#ifndef VREX_TESTS_HOST_ROOT_H
#define VREX_TESTS_HOST_ROOT_H

#include "support/fixture_tree.h"

namespace vrextest {

class HostRoot
{
public:
    explicit HostRoot(const FixtureTree &tree);

private:
    EnvGuard m_root;
    EnvGuard m_system;
};

// Empties all four process-wide registries (the style registry through
// reLoad from a root that has no stylesheet, with its message swallowed).
void clearRegistries();

} // namespace vrextest

#endif
