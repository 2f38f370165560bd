// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl styles [NAME]
#include "commands/commands.h"

#include "checks/name_suggestion.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/json_output.h"
#include "output/load_failures.h"
#include "output/registry_format.h"
#include "output/table_output.h"
#include "output/unknown_name.h"

#include "installation/installation.h"

namespace vrexctl {

namespace {

int listStyles(const Invocation &invocation, const QMap<QString, styleentry> &styles, const LoadFailures &failures)
{
    if (invocation.json) {
        QJsonArray array;
        for (auto it = styles.cbegin(); it != styles.cend(); ++it) {
            // The listing's objects are the full ones: "settings" is the
            // list everywhere, never a count.
            array.append(styleJson(it.key(), it.value()));
        }
        QJsonObject answer = jsonEnvelope(invocation.command);
        answer.insert(QStringLiteral("styles"), array);
        failures.addTo(answer);
        writeJson(answer);
        return ExitOk;
    }
    Table table(styleHeaders());
    for (auto it = styles.cbegin(); it != styles.cend(); ++it)
        table.addRow(styleRow(it.key(), it.value()));
    writeOut(table.toText());
    return ExitOk;
}

int showStyle(const Invocation &invocation, const QString &name, const QMap<QString, styleentry> &styles,
              const LoadFailures &failures)
{
    QJsonObject answer = jsonEnvelope(invocation.command);
    answer.insert(QStringLiteral("name"), name);
    failures.addTo(answer);
    const auto entry = styles.constFind(name);
    if (entry == styles.constEnd()) {
        answer.insert(QStringLiteral("found"), false);
        return reportUnknownName(invocation, QStringLiteral("style"), name, suggestKeys(name, styles), answer);
    }
    if (invocation.json) {
        answer.insert(QStringLiteral("found"), true);
        const QJsonObject style = styleJson(name, *entry);
        for (auto it = style.begin(); it != style.end(); ++it)
            answer.insert(it.key(), it.value());
        writeJson(answer);
        return ExitOk;
    }
    Table fields;
    fields.addRow({QStringLiteral("name"), name});
    fields.addRow({QStringLiteral("type"), styleTypeWord(entry->type)});
    fields.addRow({QStringLiteral("suitablefor"), entry->suitablefor});
    fields.addRow({QStringLiteral("description"), entry->description});
    QString text = fields.toText() + QStringLiteral("settings:\n");
    for (const QString &setting : entry->settings)
        text += QStringLiteral("  ") + setting + QLatin1Char('\n');
    writeOut(text);
    return ExitOk;
}

} // namespace

int runStyles(const Invocation &invocation, vrex::Installation &installation)
{
    installation.loadStyles();
    const vrex::StyleRegistry &styles = std::as_const(installation).styles();
    const LoadFailures failures(installation);
    failures.report();
    const int code = invocation.arguments.isEmpty()
            ? listStyles(invocation, styles, failures)
            : showStyle(invocation, invocation.arguments.constFirst(), styles, failures);
    return failures.exitCode(code, [](const QString &) { return true; });
}

} // namespace vrexctl
