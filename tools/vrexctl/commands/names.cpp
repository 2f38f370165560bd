// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl names KIND [INSTANCE]: the names of one kind, one per line, for
// scripts and the shell completion, which must not parse tables. Only the
// files the kind needs are read, so completing stays quick on a large site.
#include "commands/commands.h"

#include "checks/name_suggestion.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/json_output.h"
#include "output/load_failures.h"
#include "output/table_output.h"
#include "output/unknown_name.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"
#include "instance_lookup/device_type_key.h"

namespace vrexctl {

namespace {

QJsonObject namesAnswer(const Invocation &invocation, const LoadFailures &failures)
{
    QJsonObject answer = jsonEnvelope(invocation.command);
    answer.insert(QStringLiteral("kind"), invocation.arguments.constFirst());
    failures.addTo(answer);
    return answer;
}

int writeNames(const Invocation &invocation, const QStringList &names, const LoadFailures &failures)
{
    if (invocation.json) {
        QJsonObject answer = namesAnswer(invocation, failures);
        answer.insert(QStringLiteral("names"), toJsonArray(names));
        writeJson(answer);
        return ExitOk;
    }
    QString text;
    for (const QString &name : names)
        text += escapeControlCharacters(name) + QLatin1Char('\n');
    writeOut(text);
    return ExitOk;
}

// The parameters of the instance's device type, found as the library's
// lookups find it; none when that type has no file.
int writeParameterNames(const Invocation &invocation, vrex::Installation &installation, const QString &name)
{
    installation.loadInstances();
    installation.loadDeviceTypes();
    const LoadFailures failures(installation);
    failures.report();
    const vrex::InstanceRegistry &instances = installation.instances();
    const auto instance = instances.constFind(name);
    // Only the instances file and the instance's device-type file matter.
    const QString typeFile = vrex::deviceTypeKey(instance == instances.constEnd() ? QString() : instance->type)
            + QLatin1String(".xml");
    const auto matters = [&](const QString &path) {
        return path == installation.path(vrex::layout::kInstancesFile)
                || (instance != instances.constEnd() && path.endsWith(QLatin1Char('/') + typeFile, Qt::CaseInsensitive));
    };
    if (instance == instances.constEnd()) {
        QJsonObject answer = namesAnswer(invocation, failures);
        answer.insert(QStringLiteral("instance"), name);
        answer.insert(QStringLiteral("found"), false);
        answer.insert(QStringLiteral("names"), QJsonArray());
        return failures.exitCode(reportUnknownName(invocation, QStringLiteral("instance"), name,
                                                   suggestKeys(name, instances), answer),
                                 matters);
    }
    const auto type = vrex::findDeviceType(installation.deviceTypes(), instance->type);
    return failures.exitCode(
            writeNames(invocation, type == installation.deviceTypes().constEnd() ? QStringList() : type->params.keys(),
                       failures),
            matters);
}

} // namespace

int runNames(const Invocation &invocation, vrex::Installation &installation)
{
    const QString &kind = invocation.arguments.constFirst();
    if (kind == QLatin1StringView("params"))
        return writeParameterNames(invocation, installation, invocation.arguments.at(1));
    QStringList names;
    if (kind == QLatin1StringView("instances")) {
        installation.loadInstances();
        names = installation.instances().keys();
    } else if (kind == QLatin1StringView("devicetypes")) {
        installation.loadDeviceTypes();
        names = installation.deviceTypes().keys();
    } else if (kind == QLatin1StringView("complextypes")) {
        installation.loadComplexTypes();
        names = installation.complexTypes().keys();
    } else { // styles; the command line allows nothing else
        installation.loadStyles();
        names = installation.styles().keys();
    }
    const LoadFailures failures(installation);
    failures.report();
    return failures.exitCode(writeNames(invocation, names, failures), [](const QString &) { return true; });
}

} // namespace vrexctl
