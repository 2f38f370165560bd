// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "bounded_child.h"

#include <QtCore/QFile>

#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define VREX_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VREX_UNDER_ASAN 1
#endif
#endif

namespace vrextest {

namespace {

// A "VmXxx:   123 kB" line of /proc/self/status, in kB.
qint64 statusKB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace

bool isSanitizerBuild()
{
#ifdef VREX_UNDER_ASAN
    return true;
#else
    return false;
#endif
}

void limitThisProcess(const Bounds &bounds)
{
    if (bounds.addressSpaceMB > 0 && !isSanitizerBuild()) {
        const rlim_t limit = rlim_t(statusKB("VmSize") + qint64(bounds.addressSpaceMB) * 1024) * 1024;
        const rlimit value{limit, limit};
        setrlimit(RLIMIT_AS, &value);
    }
    alarm(bounds.watchdogSeconds);
}

qint64 peakAddressSpaceMB()
{
    return statusKB("VmPeak") / 1024;
}

} // namespace vrextest
