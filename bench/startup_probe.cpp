// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// One start-up load in a process of its own, as every GUI process of an
// installation does it: its peak resident memory (nothing else inflates the
// high-water mark) and its CPU time (on a heap that nothing has warmed up:
// within one long process the allocator's adaptive thresholds make the same
// load's cost depend on what ran before it).
//
//   startup_probe bare|library|dom|reader|expat SITE
//
// Start it with ZT_ROOT naming a directory without configuration, so the
// attach sequence loads nothing and every mode starts from the same process:
// Qt and the library mapped, registries empty. "bare" then stops, "library"
// runs the library's four loaders on SITE, "dom" the DOM reference loader,
// "reader" and "expat" the bare QXmlStreamReader and expat passes over the
// same files (which build nothing).
// Prints "peak_rss_kib=N", "load_cpu_us=N" and the registry sizes.
#include "dom_reference_loader.h"
#include "process_probe.h"
#include "expat_floor.h"
#include "stream_reader_floor.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_probe bare|library|dom|reader|expat SITE\n");
        return 2;
    }
    const char *mode = argv[1];
    const QString site = QDir(QFile::decodeName(argv[2])).absolutePath();
    const QString configRoot = site + QStringLiteral("/bench");
    if (!QDir(configRoot).exists()) {
        std::fprintf(stderr, "startup_probe: no site at %s\n", qPrintable(site));
        return 2;
    }

    qsizetype instances = 0, deviceTypes = 0, complexTypes = 0, styles = 0;
    vrexbench::DomRegistries reference;
    const qint64 loadStart = vrexbench::processCpuMicroseconds();
    if (std::strcmp(mode, "library") == 0) {
        ::setenv("ZT_ROOT", QFile::encodeName(site).constData(), 1);
        ::setenv("ZT_SYSTEM", "bench", 1);
        vrex_stylesheet::load();
        vrex_instance_lookup::loadInstances();
        vrex_instance_lookup::loadDeviceTypes();
        vrex_instance_lookup::loadComplexTypes();
        instances = vrex_instance_lookup::countInstances();
        deviceTypes = vrex_instance_lookup::countDeviceTypes();
        complexTypes = vrex_instance_lookup::countComplexTypes();
        styles = vrex_stylesheet::count();
    } else if (std::strcmp(mode, "dom") == 0) {
        vrexbench::domLoadAll(configRoot, reference);
        instances = reference.instances.size();
        deviceTypes = reference.deviceTypes.size();
        complexTypes = reference.complexTypes.size();
        styles = reference.styles.size();
    } else if (std::strcmp(mode, "reader") == 0 || std::strcmp(mode, "expat") == 0) {
        const vrexbench::XmlTally tally = std::strcmp(mode, "reader") == 0
                ? vrexbench::streamReaderPassOverSite(configRoot)
                : vrexbench::expatPassOverSite(configRoot);
        if (!tally.wellFormed || tally.elements == 0) {
            std::fprintf(stderr, "startup_probe: the %s pass failed on %s\n", mode, qPrintable(site));
            return 1;
        }
    } else if (std::strcmp(mode, "bare") != 0) {
        std::fprintf(stderr, "startup_probe: unknown mode %s\n", mode);
        return 2;
    }
    const qint64 loadCpu = vrexbench::processCpuMicroseconds() - loadStart;

    std::printf("mode=%s peak_rss_kib=%ld load_cpu_us=%lld instances=%lld deviceTypes=%lld complexTypes=%lld "
                "styles=%lld\n",
                mode, vrexbench::peakRssKib(), qlonglong(loadCpu), qlonglong(instances), qlonglong(deviceTypes),
                qlonglong(complexTypes), qlonglong(styles));
    return 0;
}
