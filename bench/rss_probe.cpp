// Peak resident memory of one load, in a process of its own so that nothing
// else inflates the high-water mark.
//
//   rss_probe bare|library|dom SITE
//
// Start it with ZT_ROOT naming a directory without configuration, so the
// attach sequence loads nothing and every mode starts from the same process:
// Qt and the library mapped, registries empty. "bare" then stops, "library"
// runs the library's four loaders on SITE, "dom" the DOM reference loader.
// Prints "peak_rss_kib=N" and the registry sizes.
#include "dom_reference_loader.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

namespace {

long peakRssKib()
{
    // VmHWM is the kernel's own high-water mark; ru_maxrss is the same
    // number where /proc is not mounted.
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        long kib = -1;
        while (std::fgets(line, sizeof line, status)) {
            if (std::strncmp(line, "VmHWM:", 6) == 0) {
                kib = std::strtol(line + 6, nullptr, 10);
                break;
            }
        }
        std::fclose(status);
        if (kib >= 0)
            return kib;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rss_probe bare|library|dom SITE\n");
        return 2;
    }
    const char *mode = argv[1];
    const QString site = QDir(QFile::decodeName(argv[2])).absolutePath();
    const QString configRoot = site + QStringLiteral("/bench");
    if (!QDir(configRoot).exists()) {
        std::fprintf(stderr, "rss_probe: no site at %s\n", qPrintable(site));
        return 2;
    }

    qsizetype instances = 0, deviceTypes = 0, complexTypes = 0, styles = 0;
    vrexbench::DomRegistries reference;
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
    } else if (std::strcmp(mode, "bare") != 0) {
        std::fprintf(stderr, "rss_probe: unknown mode %s\n", mode);
        return 2;
    }

    std::printf("mode=%s peak_rss_kib=%ld instances=%lld deviceTypes=%lld complexTypes=%lld "
                "styles=%lld\n",
                mode, peakRssKib(), qlonglong(instances), qlonglong(deviceTypes),
                qlonglong(complexTypes), qlonglong(styles));
    return 0;
}
