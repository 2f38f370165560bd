// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl dump instances|devicetypes|complex|styles
#include "commands/commands.h"

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/json_output.h"
#include "output/load_failures.h"
#include "output/registry_format.h"
#include "output/table_output.h"

#include "installation/installation.h"

namespace vrexctl {

namespace {

// Prints one registry, in its own (key) order, as a table or as the JSON
// answer's "entries". A file of the registry that failed to load leaves
// the answer incomplete.
template<typename Map, typename HeadersFn, typename RowsFn, typename JsonFn>
int dumpRegistry(const Invocation &invocation, const vrex::Installation &installation, const Map &registry,
                 HeadersFn headers, RowsFn rows, JsonFn json)
{
    const LoadFailures failures(installation);
    failures.report();
    if (invocation.json) {
        QJsonArray array;
        for (auto it = registry.cbegin(); it != registry.cend(); ++it)
            array.append(json(it.key(), it.value()));
        QJsonObject answer = jsonEnvelope(invocation.command);
        answer.insert(QStringLiteral("registry"), invocation.arguments.constFirst());
        answer.insert(QStringLiteral("entries"), array);
        failures.addTo(answer);
        writeJson(answer);
    } else {
        Table table(headers());
        for (auto it = registry.cbegin(); it != registry.cend(); ++it) {
            for (const QStringList &row : rows(it.key(), it.value()))
                table.addRow(row);
        }
        writeOut(table.toText());
    }
    return failures.exitCode(ExitOk, [](const QString &) { return true; });
}

template<typename Record>
auto singleRow(QStringList (*row)(const QString &, const Record &))
{
    return [row](const QString &key, const Record &record) {
        return QList<QStringList>{row(key, record)};
    };
}

} // namespace

// Each registry is loaded alone: its files are all a dump reads.
int runDump(const Invocation &invocation, vrex::Installation &installation)
{
    const QString &what = invocation.arguments.constFirst();
    if (what == QLatin1StringView("instances")) {
        installation.loadInstances();
        return dumpRegistry(invocation, installation, installation.instances(), instanceHeaders,
                            singleRow(&instanceRow), instanceJson);
    }
    if (what == QLatin1StringView("devicetypes")) {
        installation.loadDeviceTypes();
        return dumpRegistry(invocation, installation, installation.deviceTypes(), deviceTypeHeaders,
                            singleRow(&deviceTypeRow), deviceTypeJson);
    }
    if (what == QLatin1StringView("complex")) {
        installation.loadComplexTypes();
        return dumpRegistry(invocation, installation, installation.complexTypes(), complexTypeHeaders,
                            complexTypeRows, complexTypeJson);
    }
    // styles; the command line allows nothing else.
    installation.loadStyles();
    return dumpRegistry(invocation, installation, std::as_const(installation).styles(), styleDumpHeaders,
                        singleRow(&styleDumpRow), styleJson);
}

} // namespace vrexctl
