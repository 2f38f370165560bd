// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl's check against the library's own load of the same site: the
// check is one load of the installation with vrexctl's file lint observing
// the parsers, then the registry checks with every redirection followed and
// the suggestions of the problems a run lists; the load is the same load
// without an observer, what each GUI process does at start-up.
//
//   check_bench --tree=SITE [benchmark flags]     SITE as generate_site.py writes it
//   check_bench --peak=load|check --tree=SITE     one run; prints peak_rss_kib=N
//
// Besides SITE it builds, in a temporary directory: the site with 10,000
// members of a complex type that are no instances, and single redirection
// chains and cycles of 2,000 and 16,000 instances. After the runs it prints
// each ratio the check is held to, with its target:
//   check / load of SITE                          <= 2   (peak RSS <= 1.5)
//   check of SITE + 10,000 unknown members / of SITE   <= 3
//   check of a 16,000 chain / of a 2,000 chain    <= 10  (linear: 8), the same for cycles
// Times are CPU times measured in this process, the median of the
// repetitions when there are several; peak memory is measured in a process
// of its own per side (the high-water mark never comes down), started from
// here and reported as the counter peak_rss_kib.
#include "checks/check_run.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QMap>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

QString g_self;
QString g_tree;
std::optional<QTemporaryDir> g_scratch;
const QString kSystem = QStringLiteral("bench"); // generate_site.py's
constexpr int kListed = 200;                     // vrexctl check's default --max-problems

void load(vrex::Installation &installation)
{
    installation.load();
}

// What `vrexctl check` runs without options: the suppression comments are
// gathered too.
void check(vrex::Installation &installation)
{
    vrexctl::CheckOptions options;
    options.suggested = kListed;
    const vrexctl::CheckRun run = vrexctl::runCheck(installation, g_tree, options);
    benchmark::DoNotOptimize(run.entries.size());
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

QString configDir(const QString &tree)
{
    return vrex::layout::path(vrex::layout::configRoot(tree, kSystem), vrex::layout::kConfigDir);
}

void writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        std::fprintf(stderr, "check_bench: cannot write %s\n", qPrintable(path));
}

// One chain of length redirections through instances named in the order of
// the chain, as generate_site.py names them; a cycle leads the last back to
// the first. The chain ends on a parameter with a slot of its own, so it
// checks clean; the cycle gives one finding.
QString redirectionSite(int length, bool cycle)
{
    const QString tree = g_scratch->filePath((cycle ? QStringLiteral("cycle-") : QStringLiteral("chain-")) + QString::number(length));
    if (QDir(tree).exists())
        return tree;
    const QString config = configDir(tree);
    const int count = cycle ? length : length + 1;
    const auto name = [](int step) { return QByteArray("n") + QByteArray::number(step).rightJustified(6, '0'); };
    QByteArray instances = "<instances>\n";
    QByteArray members = "<Chain>\n";
    for (int step = 0; step < count; ++step) {
        const bool end = !cycle && step == length;
        instances += "<instance id=\"" + name(step) + "\" type=\"" + (end ? "End" : "Link") + "\" ref=\"device="
                + QByteArray::number(1 + step / 256) + ",offset=" + QByteArray::number(step % 256)
                + ",complex=Chain\"/>\n";
        if (!end) {
            members += "<member id=\"" + name(step) + "\"><param id=\"p\" device=\"" + name((step + 1) % count)
                    + "\" param=\"p\"/></member>\n";
        }
    }
    writeFile(config + QStringLiteral("/instances.xml"), instances + "</instances>\n");
    writeFile(config + QStringLiteral("/complex_instances/Chain.xml"), members + "</Chain>\n");
    writeFile(config + QStringLiteral("/devicetypes/Link.xml"),
              "<device_description drivertype=\"generic\" slotspacing=\"1\"><param name=\"p\" slot=\"0\"/>"
              "</device_description>\n");
    writeFile(config + QStringLiteral("/devicetypes/End.xml"),
              "<device_description drivertype=\"generic\" slotspacing=\"1\"><param name=\"p\" slot=\"1\"/>"
              "</device_description>\n");
    writeFile(config + QStringLiteral("/stylesheet/vrex_style.xml"), "<stylesheet/>\n");
    return tree;
}

// SITE with 10,000 members of its first complex type that are no
// instances: each an instance's name with one letter more, so that many
// names are close to it and the suggestions have work to do.
QString unknownMembersSite()
{
    const QString tree = g_scratch->filePath(QStringLiteral("unknown-members"));
    if (QDir(tree).exists())
        return tree;
    QDirIterator files(g_tree, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString copy = tree + path.mid(g_tree.size());
        QDir().mkpath(copy.left(copy.lastIndexOf(QLatin1Char('/'))));
        QFile::copy(path, copy);
    }
    vrex::Installation site(g_tree, kSystem);
    site.loadInstances();
    const QStringList names = site.instances().keys();
    const QString path = configDir(tree) + QStringLiteral("/complex_instances/ct0.xml");
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QByteArray text = file.readAll();
    file.close();
    QByteArray ghosts;
    for (int i = 0; i < 10'000; ++i)
        ghosts += "<member id=\"" + names.at(qsizetype(i) * names.size() / 10'000).toUtf8() + "x\"/>\n";
    text.insert(text.lastIndexOf("</ct0>"), ghosts);
    QFile::remove(path);
    writeFile(path, text);
    return tree;
}

void runSide(benchmark::State &state, void (*run)(vrex::Installation &), const QString &tree, const char *peak)
{
    qsizetype instances = 0;
    std::optional<vrex::Installation> installation;
    for (auto _ : state) {
        // Freeing the last iteration's registries is no part of either side.
        state.PauseTiming();
        installation.reset();
        installation.emplace(tree, kSystem);
        state.ResumeTiming();
        run(*installation);
        instances = installation->instances().size();
    }
    state.counters["instances"] = double(instances);
    if (peak)
        state.counters["peak_rss_kib"] = measuredPeak(peak);
}

void BM_Load(benchmark::State &state) { runSide(state, load, g_tree, "load"); }
void BM_Check(benchmark::State &state) { runSide(state, check, g_tree, "check"); }
void BM_CheckUnknownMembers(benchmark::State &state) { runSide(state, check, unknownMembersSite(), nullptr); }
void BM_CheckChain(benchmark::State &state) { runSide(state, check, redirectionSite(int(state.range(0)), false), nullptr); }
void BM_LoadChain(benchmark::State &state) { runSide(state, load, redirectionSite(int(state.range(0)), false), nullptr); }
void BM_CheckCycle(benchmark::State &state) { runSide(state, check, redirectionSite(int(state.range(0)), true), nullptr); }

// Prints as usual and keeps each benchmark's CPU time (the median when
// there are repetitions) and peak memory for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            QString name = QString::fromStdString(run.run_name.function_name);
            if (!run.run_name.args.empty())
                name += QLatin1Char('/') + QString::fromStdString(run.run_name.args);
            m_cpu[name] = run.GetAdjustedCPUTime();
            const auto peak = run.counters.find("peak_rss_kib");
            if (peak != run.counters.end())
                m_peak[name] = peak->second.value;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-58s %8s %8s\n", "ratio", "measured", "target");
        ratio("check / load, large site (CPU time)", m_cpu, "BM_Check", "BM_Load", 2);
        ratio("check / load, large site (peak RSS)", m_peak, "BM_Check", "BM_Load", 1.5);
        ratio("check, + 10,000 unknown members / clean", m_cpu, "BM_CheckUnknownMembers", "BM_Check", 3);
        ratio("check, chain of 16,000 / chain of 2,000", m_cpu, "BM_CheckChain/16000", "BM_CheckChain/2000", 10);
        ratio("check, cycle of 16,000 / cycle of 2,000", m_cpu, "BM_CheckCycle/16000", "BM_CheckCycle/2000", 10);
    }

private:
    static void ratio(const char *what, const QMap<QString, double> &values, const char *a, const char *b,
                      double target)
    {
        const QString x = QLatin1String(a), y = QLatin1String(b);
        if (!values.contains(x) || !values.contains(y) || values[y] <= 0)
            return;
        const double measured = values[x] / values[y];
        std::printf("%-58s %7.2fx %7.2fx %s\n", what, measured, target, measured <= target ? "met" : "MISSED");
    }

    QMap<QString, double> m_cpu;
    QMap<QString, double> m_peak;
};

} // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_CheckUnknownMembers)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_CheckChain)->Arg(2000)->Arg(16000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_LoadChain)->Arg(2000)->Arg(16000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_CheckCycle)->Arg(2000)->Arg(16000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

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
    if (g_tree.isEmpty() || !QDir(configDir(g_tree)).exists()) {
        std::fprintf(stderr, "usage: check_bench --tree=SITE [--peak=load|check] [benchmark flags]\n");
        return 2;
    }
    if (peak) {
        vrex::Installation installation(g_tree, kSystem);
        std::strcmp(peak, "check") == 0 ? check(installation) : load(installation);
        std::printf("peak_rss_kib=%ld\n", peakRssKib());
        return 0;
    }
    g_scratch.emplace();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
