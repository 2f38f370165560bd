// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Installations as values in a process of their own: the cost of one load
// of a site, and of two loads of it held side by side (what comparing a
// changed installation with the deployed one takes).
//
//   installation_probe bare|one|two SITE
//
// Links the core alone: nothing is loaded before main(). Prints
// "mode=installation-MODE peak_rss_kib=N load_cpu_us=N" and the sizes of
// the last installation's registries.
#include "process_probe.h"

#include "installation/installation.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <cstring>
#include <list>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: installation_probe bare|one|two SITE\n");
        return 2;
    }
    const char *mode = argv[1];
    const QString site = QDir(QFile::decodeName(argv[2])).absolutePath();
    const int copies = std::strcmp(mode, "two") == 0 ? 2 : std::strcmp(mode, "one") == 0 ? 1 : 0;
    if (copies == 0 && std::strcmp(mode, "bare") != 0) {
        std::fprintf(stderr, "installation_probe: unknown mode %s\n", mode);
        return 2;
    }

    std::list<vrex::Installation> loaded;
    const qint64 loadStart = vrexbench::processCpuMicroseconds();
    for (int i = 0; i < copies; ++i) {
        loaded.emplace_back(site, QStringLiteral("bench"));
        loaded.back().load();
        if (!loaded.back().problems().isEmpty()) {
            std::fprintf(stderr, "installation_probe: %s did not load cleanly\n", qPrintable(site));
            return 1;
        }
    }
    const qint64 loadCpu = vrexbench::processCpuMicroseconds() - loadStart;

    const vrex::Installation empty;
    const vrex::Installation &last = loaded.empty() ? empty : loaded.back();
    std::printf("mode=installation-%s peak_rss_kib=%ld load_cpu_us=%lld instances=%lld deviceTypes=%lld "
                "complexTypes=%lld styles=%lld\n",
                mode, vrexbench::peakRssKib(), qlonglong(loadCpu), qlonglong(last.instances().size()),
                qlonglong(last.deviceTypes().size()), qlonglong(last.complexTypes().size()),
                qlonglong(last.styles().size()));
    return 0;
}
