// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Before anything is timed: the library must have loaded what the DOM
// reference loaded, and the sample lookups must give the generator's
// answers. Timing a loader that skips work, or a lookup that fails early,
// would measure nothing.
#ifndef VREX_BENCH_SITE_CHECK_H
#define VREX_BENCH_SITE_CHECK_H

#include "dom_reference_loader.h"
#include "site_manifest.h"

#include <QtCore/QStringList>
#include <QtCore/QVector>

namespace vrexbench {

// Differences between the library's three public registries (and the style
// count) and the reference's; empty when they agree. At most a few lines
// per registry.
QStringList compareWithLibrary(const DomRegistries &reference);

// Runs every sample through the seven-argument lookup; one line per sample
// whose result or outputs differ from the expected ones.
QStringList checkLookups(const QVector<LookupSample> &samples);

// Runs the composite samples through both lookupComposite overloads.
QStringList checkComposites(const QVector<CompositeSample> &samples);

} // namespace vrexbench

#endif
