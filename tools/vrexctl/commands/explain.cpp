// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl explain CODE and vrexctl help codes: the rule documentation,
// without an installation.
#include "commands/commands.h"

#include "checks/name_suggestion.h"
#include "checks/rules.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/json_output.h"

namespace vrexctl {

int runExplain(const Invocation &invocation)
{
    const QString &code = invocation.arguments.constFirst();
    const Rule *rule = findRule(code);
    if (!rule) {
        QString message = QStringLiteral("no code \"%1\"").arg(code);
        const QString suggestion = suggestName(code, ruleCodes());
        message += suggestion.isNull() ? QStringLiteral("; 'vrexctl help codes' lists them")
                                       : QStringLiteral("; did you mean \"%1\"?").arg(suggestion);
        if (invocation.json) {
            writeJson(QJsonObject{{QStringLiteral("schema"), kJsonSchema}, {QStringLiteral("command"), invocation.command},
                                  {QStringLiteral("error"), message}});
        }
        reportError(message);
        return ExitProblem;
    }
    if (invocation.json) {
        writeJson(QJsonObject{{QStringLiteral("schema"), kJsonSchema}, {QStringLiteral("command"), invocation.command},
                              {QStringLiteral("rule"), ruleJson(*rule)}});
    } else {
        writeOut(explainText(*rule));
    }
    return ExitOk;
}

int runCodes(const Invocation &invocation)
{
    if (!invocation.json) {
        writeOut(codesText());
        return ExitOk;
    }
    QJsonArray codes;
    for (const Rule *rule = rulesBegin(); rule != rulesEnd(); ++rule)
        codes.append(ruleJson(*rule));
    writeJson(QJsonObject{{QStringLiteral("schema"), kJsonSchema}, {QStringLiteral("command"), invocation.command},
                          {QStringLiteral("codes"), codes}});
    return ExitOk;
}

} // namespace vrexctl
