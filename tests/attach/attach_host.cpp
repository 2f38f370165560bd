// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// A minimal host: by the time main() runs, the library has attached and
// loaded. Prints which library file it got and what the registries hold.
#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <dlfcn.h>

#include <cstdio>

int main()
{
    Dl_info info{};
    const bool found = dladdr(reinterpret_cast<void *>(&vrex_instance_lookup::countInstances), &info) != 0;
    std::printf("library %s\n", found && info.dli_fname ? info.dli_fname : "?");
    std::printf("styles %d\n", vrex_stylesheet::count());
    std::printf("instances %d\n", vrex_instance_lookup::countInstances());
    std::printf("devicetypes %d\n", vrex_instance_lookup::countDeviceTypes());
    std::printf("complextypes %d\n", vrex_instance_lookup::countComplexTypes());
    return 0;
}
