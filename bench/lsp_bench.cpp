// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl lsp against vrexctl check on the same site, in one process: a
// didChange to instances.xml until its diagnostics are published, and to
// one device-type file (only what that file affects is checked again),
// each set against the whole check. Targets: 1.5x and 0.5x the check.
//
//   lsp_bench --tree=SITE [benchmark flags]     SITE as generate_site.py writes it
//
// Each edit is a didChange message as an editor sends it, taken by the
// server, checked at once (no pause waited for) and published; the edits
// alternate between two texts so that every one changes something.
#include "checks/check_run.h"
#include "lsp/language_server.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QUrl>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

namespace {

namespace layout = vrex::layout;
using vrexctl::lsp::LanguageServer;

QString g_tree;
const QString kSystem = QStringLiteral("bench"); // generate_site.py's

QByteArray message(const QJsonObject &body)
{
    QJsonObject full = body;
    full.insert(QStringLiteral("jsonrpc"), QStringLiteral("2.0"));
    const QByteArray json = QJsonDocument(full).toJson(QJsonDocument::Compact);
    return "Content-Length: " + QByteArray::number(json.size()) + "\r\n\r\n" + json;
}

QJsonObject position(const QByteArray &text, qsizetype offset)
{
    const qsizetype lineStart = text.lastIndexOf('\n', offset - 1) + 1;
    return {{QStringLiteral("line"), text.left(offset).count('\n')},
            {QStringLiteral("character"), offset - lineStart}};
}

// A server with the file at path open, checked once; then each call of
// edit() is one didChange that swaps `from` and `to` at their place.
class Session
{
public:
    Session(const QString &path, const QByteArray &from, const QByteArray &to) : m_from(from), m_to(to)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray text = file.readAll();
        // Only ASCII comes before the edit in the generated files.
        const qsizetype at = text.indexOf(from);
        m_start = position(text, at);
        m_uri = QUrl::fromLocalFile(path).toString();
        m_server = std::make_unique<LanguageServer>([this](const QByteArray &bytes) { m_published += bytes.size(); });
        m_server->setConfigRoot(layout::configRoot(g_tree, kSystem));
        m_server->receive(message({{QStringLiteral("id"), 1},
                                   {QStringLiteral("method"), QStringLiteral("initialize")},
                                   {QStringLiteral("params"), QJsonObject()}}));
        const QJsonObject document{{QStringLiteral("uri"), m_uri},
                                   {QStringLiteral("languageId"), QStringLiteral("xml")},
                                   {QStringLiteral("version"), 1},
                                   {QStringLiteral("text"), QString::fromUtf8(text)}};
        m_server->receive(message({{QStringLiteral("method"), QStringLiteral("textDocument/didOpen")},
                                   {QStringLiteral("params"), QJsonObject{{QStringLiteral("textDocument"), document}}}}));
        m_server->flush();
    }

    void edit()
    {
        // What is there now gives way to the other text.
        const bool forward = m_version % 2 == 0;
        const QByteArray &now = forward ? m_from : m_to;
        const QJsonObject end{{QStringLiteral("line"), m_start[QLatin1String("line")]},
                              {QStringLiteral("character"), m_start[QLatin1String("character")].toInteger() + now.size()}};
        const QJsonObject change{
                {QStringLiteral("range"), QJsonObject{{QStringLiteral("start"), m_start}, {QStringLiteral("end"), end}}},
                {QStringLiteral("text"), QString::fromUtf8(forward ? m_to : m_from)}};
        ++m_version;
        m_server->receive(message(
                {{QStringLiteral("method"), QStringLiteral("textDocument/didChange")},
                 {QStringLiteral("params"),
                  QJsonObject{{QStringLiteral("textDocument"),
                               QJsonObject{{QStringLiteral("uri"), m_uri}, {QStringLiteral("version"), m_version + 1}}},
                              {QStringLiteral("contentChanges"), QJsonArray{change}}}}}));
        m_server->flush();
    }

private:
    QByteArray m_from;
    QByteArray m_to;
    QJsonObject m_start;
    QString m_uri;
    qint64 m_version = 0;
    qint64 m_published = 0;
    std::unique_ptr<LanguageServer> m_server;
};

void BM_Check(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto installation = std::make_unique<vrex::Installation>(g_tree, kSystem);
        state.ResumeTiming();
        // What vrexctl check runs: the load with the lint and the gathering
        // of suppression comments, the registry checks, the configuration.
        benchmark::DoNotOptimize(vrexctl::runCheck(*installation, g_tree, {}).entries.size());
        state.PauseTiming();
        installation.reset();
        state.ResumeTiming();
    }
}

void runEdits(benchmark::State &state, const QString &path, const QByteArray &from, const QByteArray &to)
{
    Session session(path, from, to);
    for (auto _ : state)
        session.edit();
}

void BM_ChangeInstances(benchmark::State &state)
{
    // The first alternative id: same length either way.
    const QString path = layout::path(layout::configRoot(g_tree, kSystem), layout::kInstancesFile);
    runEdits(state, path, "alt_id=\"A", "alt_id=\"B");
}

void BM_ChangeDeviceType(benchmark::State &state)
{
    // The first device type in the listing: a parameter's slot changes.
    const QString directory = layout::path(layout::configRoot(g_tree, kSystem), layout::kDeviceTypesDir);
    const QString first = QDir(directory).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name).value(0);
    runEdits(state, directory + QLatin1Char('/') + first, "slot=\"", "slot=\"9");
}

// Keeps each benchmark's process CPU time (the median with repetitions) for
// the verdict printed after the table: the server does its work on one
// thread, and on a shared machine wall time swings with the other load.
class VerdictReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || median)
                times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_ChangeInstances)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_ChangeDeviceType)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--tree=", 7) == 0)
            g_tree = QDir(QFile::decodeName(argv[i] + 7)).absolutePath();
    }
    if (g_tree.isEmpty() || !QDir(layout::path(layout::configRoot(g_tree, kSystem), layout::kConfigDir)).exists()) {
        std::fprintf(stderr, "usage: lsp_bench --tree=SITE [benchmark flags]\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    VerdictReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double check = reporter.times["BM_Check"];
    if (check <= 0)
        return 0;
    struct Target
    {
        const char *name;
        const char *what;
        double most;
    };
    const Target targets[] = {{"BM_ChangeInstances", "didChange on instances.xml, published / check", 1.5},
                              {"BM_ChangeDeviceType", "didChange on one device-type file, published / check", 0.5}};
    for (const Target &target : targets) {
        const auto time = reporter.times.find(target.name);
        if (time == reporter.times.end())
            continue;
        const double ratio = time->second / check;
        std::printf("%-55s %.2fx (target <= %.1fx): %s\n", target.what, ratio, target.most,
                    ratio <= target.most ? "met" : "missed");
    }
    return 0;
}
