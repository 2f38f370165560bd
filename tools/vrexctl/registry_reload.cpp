#include "registry_reload.h"

#include "invocation.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QFile>

#include <cstdlib>

namespace vrexctl {

void applyConfigurationRoot(const Invocation &invocation)
{
    // The library reads the C library's environment at every load.
    if (invocation.rootSet)
        setenv("ZT_ROOT", QFile::encodeName(invocation.root).constData(), 1);
    if (invocation.systemSet)
        setenv("ZT_SYSTEM", QFile::encodeName(invocation.system).constData(), 1);
}

void reloadRegistries()
{
    // Loaders merge into their registry; only reLoad empties the styles.
    vrex_instance_lookup::instances.clear();
    vrex_instance_lookup::deviceTypes.clear();
    vrex_instance_lookup::complexTypes.clear();

    vrex_stylesheet::reLoad();
    vrex_instance_lookup::loadInstances();
    vrex_instance_lookup::loadDeviceTypes();
    vrex_instance_lookup::loadComplexTypes();
}

} // namespace vrexctl
