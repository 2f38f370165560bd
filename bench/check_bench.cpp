// vrexctl's check against the library's own load of the same site: the
// check reads every file through the library's parsers with an observer,
// loads the registries and follows every redirection; the load is what each
// GUI process does at start-up. Targets: the check within 3x the load's
// time and 2x its peak memory.
//
//   check_bench --tree=SITE [benchmark flags]     SITE as generate_site.py writes it
//   check_bench --peak=load|check --tree=SITE     one run; prints peak_rss_kib=N
//
// Times are measured in this process; peak memory is measured in a process
// of its own per side (the high-water mark never comes down), started from
// here and reported as the counter peak_rss_kib.
#include "configuration_check.h"
#include "finding.h"
#include "installation_lint.h"
#include "registry_reload.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QString g_self;
QString g_tree;

void emptyRegistries()
{
    vrex_instance_lookup::instances.clear();
    vrex_instance_lookup::deviceTypes.clear();
    vrex_instance_lookup::complexTypes.clear();
}

void load()
{
    vrexctl::reloadRegistries();
}

void check()
{
    vrexctl::FindingList findings;
    vrexctl::DefinitionIndex index;
    vrexctl::lintInstallationFiles(findings, index);
    vrexctl::reloadStyles();
    vrexctl::checkRegistries(index, findings);
    const QList<vrexctl::Finding> all = findings.take();
    if (!all.isEmpty())
        std::fprintf(stderr, "check_bench: the site has %lld problems\n", qint64(all.size()));
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

void runSide(benchmark::State &state, void (*run)(), const char *side)
{
    for (auto _ : state) {
        state.PauseTiming();
        emptyRegistries();
        state.ResumeTiming();
        run();
    }
    state.counters["instances"] = double(vrex_instance_lookup::countInstances());
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
    if (g_tree.isEmpty() || !QDir(g_tree + QStringLiteral("/bench/config")).exists()) {
        std::fprintf(stderr, "usage: check_bench --tree=SITE [--peak=load|check] [benchmark flags]\n");
        return 2;
    }
    // The library attached to nothing (vrexctl's start-up hook); point it here.
    ::setenv("ZT_ROOT", QFile::encodeName(g_tree).constData(), 1);
    ::setenv("ZT_SYSTEM", "bench", 1);
    if (peak) {
        std::strcmp(peak, "check") == 0 ? check() : load();
        std::printf("peak_rss_kib=%ld\n", peakRssKib());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
