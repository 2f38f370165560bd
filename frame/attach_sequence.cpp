// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "frame/attach_sequence.h"

#include "frame/diagnostics.h"

#include <vrex_stylesheet/vrex_debug_output.h>
#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <exception>

namespace vrex {

namespace {

// A host is never taken down by its configuration: whatever a step meets,
// the next one runs and the library stays loaded.
template<typename Step>
void runStep(const char *line, Step step)
{
    debugOutput(line);
    try {
        step();
    } catch (const std::exception &error) {
        qtMessage(QStringLiteral("vrex_stylesheet: loading stopped: ") + QString::fromLocal8Bit(error.what()));
    } catch (...) {
        qtMessage(QStringLiteral("vrex_stylesheet: loading stopped"));
    }
}

} // namespace

void runAttachSequence()
{
    // The host's main() has not run yet; its weak hook is the only way it
    // can route these lines.
    if (&vrex_startup_debug_output_handler != nullptr) {
        if (vrex_debug_output_handler handler = vrex_startup_debug_output_handler())
            vrex_install_debug_output_handler(handler);
    }

    // Loader results are false on every path by design; the registries and
    // the loaders' own messages tell what happened.
    runStep("vrex_stylesheet: loading stylesheets\n", [] {
        if (vrex_stylesheet::count() == 0)
            vrex_stylesheet::load();
    });
    runStep("vrex_stylesheet: loading instances\n", [] {
        if (vrex_instance_lookup::countInstances() == 0)
            vrex_instance_lookup::loadInstances();
    });
    runStep("vrex_stylesheet: loading devicetypes\n", [] {
        if (vrex_instance_lookup::countDeviceTypes() == 0)
            vrex_instance_lookup::loadDeviceTypes();
    });
    runStep("vrex_stylesheet: doing the loading of complex instances\n", [] {
        if (vrex_instance_lookup::countComplexTypes() == 0)
            vrex_instance_lookup::loadComplexTypes();
    });
}

} // namespace vrex
