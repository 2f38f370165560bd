// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/unknown_name.h"

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/json_output.h"

namespace vrexctl {

int reportUnknownName(const Invocation &invocation, const QString &kind, const QString &name,
                      const QString &suggestion, QJsonObject answer)
{
    QString message = QStringLiteral("no %1 \"%2\"").arg(kind, name);
    if (!suggestion.isNull())
        message += QStringLiteral("; did you mean \"%1\"?").arg(suggestion);
    if (invocation.json) {
        answer.insert(QStringLiteral("error"), message);
        if (!suggestion.isNull())
            answer.insert(QStringLiteral("suggestion"), suggestion);
        writeJson(answer);
    }
    reportError(message);
    return ExitProblem;
}

} // namespace vrexctl
