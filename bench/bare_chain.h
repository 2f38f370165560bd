// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The floor under a parameter lookup: the map searches it cannot avoid,
// done bare. A redirection hop must search the complex type, its member and
// the member's parameter before it looks the target up like a direct
// parameter, so the floor of a chain grows by more than one direct lookup
// per hop; this is what a chain's cost is set against.
#ifndef VREX_BENCH_BARE_CHAIN_H
#define VREX_BENCH_BARE_CHAIN_H

#include "site_manifest.h"

#include <QtCore/QString>
#include <QtCore/QVector>

namespace vrexbench {

// Where a lookup starts, and the device-type keys of its steps in advance:
// case folding is the lookup's own work, not a map search.
struct BareChain
{
    QString instance;
    QString param;
    QVector<QString> typeKeys; // one per step, lower case as deviceTypes holds them
};

// The chain the seven-argument lookup of sample follows, read from the
// registries; no type keys when the sample does not resolve.
BareChain bareChainOf(const LookupSample &sample);

// Follows chain through the registries with nothing but constFind (each
// search keyed, as in the lookup, by what the one before found) and returns
// the slot at its end, or -1 when a search misses.
int walkBare(const BareChain &chain);

} // namespace vrexbench

#endif
