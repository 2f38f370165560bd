// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/unknown_name.h"

#include "checks/name_suggestion.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/json_output.h"

namespace vrexctl {

int reportUnknownName(const Invocation &invocation, const QString &kind, const QString &name,
                      const QStringList &suggestions, QJsonObject answer)
{
    QString message = QStringLiteral("no %1 \"%2\"").arg(kind, name);
    if (!suggestions.isEmpty())
        message += QStringLiteral("; ") + didYouMean(suggestions, QLatin1Char('"'));
    if (invocation.json) {
        answer.insert(QStringLiteral("error"), message);
        if (!suggestions.isEmpty())
            answer.insert(QStringLiteral("suggestion"), toJsonArray(suggestions));
        writeJson(answer);
    }
    reportError(message);
    return ExitProblem;
}

} // namespace vrexctl
