// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What a probe process reports of itself: its peak resident memory and the
// CPU time it has used, read the same way by every probe.
#ifndef VREX_BENCH_PROCESS_PROBE_H
#define VREX_BENCH_PROCESS_PROBE_H

#include <QtCore/QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/resource.h>

namespace vrexbench {

inline long peakRssKib()
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

// CPU time of the whole process so far, user and system (page faults are
// part of a load's cost).
inline qint64 processCpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

} // namespace vrexbench

#endif
