// vrexctl dump instances|devicetypes|complex|styles
#include "commands/commands.h"

#include "output/console_output.h"
#include "cli/exit_codes.h"
#include "cli/command_line.h"
#include "output/json_output.h"
#include "output/registry_format.h"
#include "output/table_output.h"

namespace vrexctl {

namespace {

// Prints one registry, in its own (key) order, as a table or a JSON array.
template<typename Map, typename HeadersFn, typename RowsFn, typename JsonFn>
int dumpRegistry(const Invocation &invocation, const Map &registry, HeadersFn headers,
                 RowsFn rows, JsonFn json)
{
    if (invocation.json) {
        QJsonArray array;
        for (auto it = registry.cbegin(); it != registry.cend(); ++it)
            array.append(json(it.key(), it.value()));
        writeJson(array);
        return ExitOk;
    }
    Table table(headers());
    for (auto it = registry.cbegin(); it != registry.cend(); ++it) {
        for (const QStringList &row : rows(it.key(), it.value()))
            table.addRow(row);
    }
    writeOut(table.toText());
    return ExitOk;
}

template<typename Record>
auto singleRow(QStringList (*row)(const QString &, const Record &))
{
    return [row](const QString &key, const Record &record) {
        return QList<QStringList>{row(key, record)};
    };
}

} // namespace

int runDump(const Invocation &invocation)
{
    const QString &what = invocation.arguments.constFirst();
    if (what == QLatin1StringView("instances")) {
        return dumpRegistry(invocation, vrex_instance_lookup::instances, instanceHeaders,
                            singleRow(&instanceRow), instanceJson);
    }
    if (what == QLatin1StringView("devicetypes")) {
        return dumpRegistry(invocation, vrex_instance_lookup::deviceTypes, deviceTypeHeaders,
                            singleRow(&deviceTypeRow), deviceTypeJson);
    }
    if (what == QLatin1StringView("complex")) {
        return dumpRegistry(invocation, vrex_instance_lookup::complexTypes, complexTypeHeaders,
                            complexTypeRows, complexTypeJson);
    }
    // styles; the command line allows nothing else.
    vrex_stylesheet stylesheet;
    return dumpRegistry(invocation, stylesheet.stylelist(), styleDumpHeaders, singleRow(&styleDumpRow),
                        styleJson);
}

} // namespace vrexctl
