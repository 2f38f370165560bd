#include "frame/attach_sequence.h"

#include "frame/diagnostics.h"

#include <vrex_stylesheet/vrex_debug_output.h>
#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

namespace vrex {

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
    debugOutput("vrex_stylesheet: loading stylesheets\n");
    if (vrex_stylesheet::count() == 0)
        vrex_stylesheet::load();

    debugOutput("vrex_stylesheet: loading instances\n");
    if (vrex_instance_lookup::countInstances() == 0)
        vrex_instance_lookup::loadInstances();

    debugOutput("vrex_stylesheet: loading devicetypes\n");
    if (vrex_instance_lookup::countDeviceTypes() == 0)
        vrex_instance_lookup::loadDeviceTypes();

    debugOutput("vrex_stylesheet: doing the loading of complex instances\n");
    if (vrex_instance_lookup::countComplexTypes() == 0)
        vrex_instance_lookup::loadComplexTypes();
}

} // namespace vrex
