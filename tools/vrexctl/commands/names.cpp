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
#include "output/table_output.h"
#include "output/unknown_name.h"

#include "installation/installation.h"
#include "instance_lookup/device_type_key.h"

namespace vrexctl {

namespace {

int writeNames(const Invocation &invocation, const QStringList &names)
{
    if (invocation.json) {
        writeJson(QJsonObject{{QStringLiteral("schema"), 1}, {QStringLiteral("names"), toJsonArray(names)}});
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
    const vrex::InstanceRegistry &instances = installation.instances();
    const auto instance = instances.constFind(name);
    if (instance == instances.constEnd()) {
        return reportUnknownName(invocation, QStringLiteral("instance"), name, suggestKey(name, instances),
                                 {{QStringLiteral("schema"), 1}, {QStringLiteral("names"), QJsonArray()}});
    }
    const auto type = vrex::findDeviceType(installation.deviceTypes(), instance->type);
    return writeNames(invocation, type == installation.deviceTypes().constEnd() ? QStringList() : type->params.keys());
}

} // namespace

int runNames(const Invocation &invocation, vrex::Installation &installation)
{
    const QString &kind = invocation.arguments.constFirst();
    if (kind == QLatin1StringView("instances")) {
        installation.loadInstances();
        return writeNames(invocation, installation.instances().keys());
    }
    if (kind == QLatin1StringView("devicetypes")) {
        installation.loadDeviceTypes();
        return writeNames(invocation, installation.deviceTypes().keys());
    }
    if (kind == QLatin1StringView("complextypes")) {
        installation.loadComplexTypes();
        return writeNames(invocation, installation.complexTypes().keys());
    }
    if (kind == QLatin1StringView("styles")) {
        installation.loadStyles();
        return writeNames(invocation, installation.styles().keys());
    }
    // params INSTANCE; the command line allows nothing else.
    return writeParameterNames(invocation, installation, invocation.arguments.at(1));
}

} // namespace vrexctl
