// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl diff and vrexctl graph at installation scale, each against its
// yardstick in the same run: the diff of a site and a copy with scattered
// edits (bench/edit_site.py) against vrexctl check of the site (target 3x),
// the graph of the whole site to DOT against one load of it (target 2x).
// The ratios of the medians (CPU time) are printed after the table.
//
//   compare_bench --tree=SITE --edited=COPY [benchmark flags]
#include "checks/check_run.h"
#include "compare/installation_argument.h"
#include "compare/installation_diff.h"
#include "graph/dot_writer.h"
#include "graph/installation_graph.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

QString g_tree;
QString g_edited;
const QString kSystem = QStringLiteral("bench"); // generate_site.py's

// Each side's registries are freed outside the clock, as the load
// benchmarks do: what a process does at exit is no part of either.
template<typename Run>
void measure(benchmark::State &state, Run run)
{
    for (auto _ : state) {
        std::optional<vrex::Installation> kept;
        run(kept, state);
        state.PauseTiming();
        kept.reset();
        state.ResumeTiming();
    }
}

void BM_Load(benchmark::State &state)
{
    measure(state, [](std::optional<vrex::Installation> &kept, benchmark::State &) {
        kept.emplace(g_tree, kSystem);
        kept->load();
    });
}

// What `vrexctl check` runs without options, as check_bench measures it.
void BM_Check(benchmark::State &state)
{
    measure(state, [](std::optional<vrex::Installation> &kept, benchmark::State &s) {
        kept.emplace(g_tree, kSystem);
        if (!vrexctl::runCheck(*kept, g_tree, {}).entries.isEmpty())
            s.SkipWithError("the site has problems");
    });
}

void BM_Diff(benchmark::State &state)
{
    qsizetype answers = 0;
    for (auto _ : state) {
        vrexctl::InstallationArgument before = vrexctl::openInstallationArgument(g_tree, kSystem);
        vrexctl::InstallationArgument after = vrexctl::openInstallationArgument(g_edited, kSystem);
        before.installation.load();
        after.installation.load();
        const vrexctl::ComparedInstallation beforeSide(before.installation);
        const vrexctl::ComparedInstallation afterSide(after.installation);
        const vrexctl::InstallationDiff diff = vrexctl::compareInstallations(beforeSide, afterSide);
        benchmark::DoNotOptimize(vrexctl::diffText(diff, false));
        answers = diff.impact.answers.size();
        state.PauseTiming();
        {
            // Freed here, outside the clock.
            const vrexctl::InstallationArgument b = std::move(before);
            const vrexctl::InstallationArgument a = std::move(after);
        }
        state.ResumeTiming();
    }
    state.counters["answers_changed"] = double(answers);
    if (answers == 0)
        state.SkipWithError("the edited copy changes no answer");
}

void BM_Graph(benchmark::State &state)
{
    qsizetype bytes = 0;
    measure(state, [&bytes](std::optional<vrex::Installation> &kept, benchmark::State &) {
        kept.emplace(g_tree, kSystem);
        kept->loadInstances();
        kept->loadDeviceTypes();
        kept->loadComplexTypes();
        bytes = vrexctl::toDot(vrexctl::buildGraph(kept->catalogue())).size();
    });
    state.counters["dot_bytes"] = double(bytes);
}

// Keeps each benchmark's median (or single) CPU time for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            m_cpu[run.run_name.function_name].push_back(run.GetAdjustedCPUTime());
        }
    }

    double median(const char *name)
    {
        std::vector<double> &times = m_cpu[name];
        if (times.empty())
            return 0;
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

private:
    std::map<std::string, std::vector<double>> m_cpu;
};

void judge(const char *what, double measured, double target)
{
    if (measured <= 0) {
        std::printf("%-44s not measured\n", what);
        return;
    }
    std::printf("%-44s %5.2fx  target <= %.0fx  %s\n", what, measured, target, measured <= target ? "met" : "missed");
}

} // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Diff)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Graph)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--tree=", 7) == 0)
            g_tree = QDir(QFile::decodeName(argv[i] + 7)).absolutePath();
        else if (std::strncmp(argv[i], "--edited=", 9) == 0)
            g_edited = QDir(QFile::decodeName(argv[i] + 9)).absolutePath();
    }
    namespace layout = vrex::layout;
    const auto isSite = [](const QString &tree) {
        return !tree.isEmpty() && QDir(layout::path(layout::configRoot(tree, kSystem), layout::kConfigDir)).exists();
    };
    if (!isSite(g_tree) || !isSite(g_edited)) {
        std::fprintf(stderr, "usage: compare_bench --tree=SITE --edited=COPY [benchmark flags]\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n");
    judge("diff of the site and the edited copy / check", reporter.median("BM_Diff") / reporter.median("BM_Check"), 3);
    judge("graph of the whole site to DOT / load", reporter.median("BM_Graph") / reporter.median("BM_Load"), 2);
    return 0;
}
