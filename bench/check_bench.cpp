// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl's check against the library's own load of the same site: the
// check is one load of the installation with vrexctl's file lint observing
// the parsers, then the registry checks and every redirection followed; the
// load is the same load without an observer, what each GUI process does at
// start-up. Targets: the check within 3x the load's time and 2x its peak
// memory.
//
//   check_bench --tree=SITE [benchmark flags]     SITE as generate_site.py writes it
//   check_bench --peak=load|check --tree=SITE     one run; prints peak_rss_kib=N
//
// Times are measured in this process; peak memory is measured in a process
// of its own per side (the high-water mark never comes down), started from
// here and reported as the counter peak_rss_kib.
#include "checks/check_run.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

QString g_self;
QString g_tree;
const QString kSystem = QStringLiteral("bench"); // generate_site.py's

void load(vrex::Installation &installation)
{
    installation.load();
}

// What `vrexctl check` runs without options: the suppression comments are
// gathered too.
void check(vrex::Installation &installation)
{
    const vrexctl::CheckRun run = vrexctl::runCheck(installation, g_tree, {});
    if (!run.entries.isEmpty())
        std::fprintf(stderr, "check_bench: the site has %lld problems\n", qint64(run.entries.size()));
}

long peakRssKib()
{
    long kib = -1;
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                kib = std::strtol(line + 6, nullptr, 10);
        }
        std::fclose(status);
    }
    return kib;
}

// Peak memory of one run of side in a fresh process.
double measuredPeak(const char *side)
{
    QProcess child;
    child.start(g_self, {QStringLiteral("--peak=") + QLatin1String(side), QStringLiteral("--tree=") + g_tree});
    child.waitForFinished(-1);
    const QByteArray out = child.readAllStandardOutput();
    const qsizetype at = out.indexOf("peak_rss_kib=");
    return at < 0 ? -1 : out.mid(at + 13).trimmed().toDouble();
}

void runSide(benchmark::State &state, void (*run)(vrex::Installation &), const char *side)
{
    qsizetype instances = 0;
    std::optional<vrex::Installation> installation;
    for (auto _ : state) {
        // Freeing the last iteration's registries is no part of either side.
        state.PauseTiming();
        installation.emplace(g_tree, kSystem);
        state.ResumeTiming();
        run(*installation);
        instances = installation->instances().size();
    }
    state.counters["instances"] = double(instances);
    state.counters["peak_rss_kib"] = measuredPeak(side);
}

void BM_Load(benchmark::State &state) { runSide(state, load, "load"); }
void BM_Check(benchmark::State &state) { runSide(state, check, "check"); }

} // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    const char *peak = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--tree=", 7) == 0)
            g_tree = QDir(QFile::decodeName(argv[i] + 7)).absolutePath();
        else if (std::strncmp(argv[i], "--peak=", 7) == 0)
            peak = argv[i] + 7;
    }
    namespace layout = vrex::layout;
    if (g_tree.isEmpty() || !QDir(layout::path(layout::configRoot(g_tree, kSystem), layout::kConfigDir)).exists()) {
        std::fprintf(stderr, "usage: check_bench --tree=SITE [--peak=load|check] [benchmark flags]\n");
        return 2;
    }
    if (peak) {
        vrex::Installation installation(g_tree, kSystem);
        std::strcmp(peak, "check") == 0 ? check(installation) : load(installation);
        std::printf("peak_rss_kib=%ld\n", peakRssKib());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
