// vrexctl check
#include "commands.h"

#include "configuration_check.h"
#include "console_output.h"
#include "exit_codes.h"
#include "invocation.h"
#include "json_output.h"

namespace vrexctl {

int runCheck(const Invocation &invocation, const QVector<Diagnostic> &loadDiagnostics)
{
    const QVector<Problem> problems = findProblems(loadDiagnostics);
    const RegistryCounts counts = countRegistries();

    if (invocation.json) {
        QJsonArray list;
        for (const Problem &problem : problems) {
            list.append(QJsonObject{{QStringLiteral("kind"), problem.kind},
                                    {QStringLiteral("message"), problem.message}});
        }
        writeJson(QJsonObject{
            {QStringLiteral("ok"), problems.isEmpty()},
            {QStringLiteral("counts"),
             QJsonObject{{QStringLiteral("styles"), counts.styles},
                         {QStringLiteral("instances"), counts.instances},
                         {QStringLiteral("devicetypes"), counts.deviceTypes},
                         {QStringLiteral("complextypes"), counts.complexTypes},
                         {QStringLiteral("redirections"), counts.redirections}}},
            {QStringLiteral("problems"), list},
        });
    } else if (problems.isEmpty()) {
        writeOut(QStringLiteral("ok: %1 styles, %2 instances, %3 device types, "
                                "%4 complex types, %5 redirections\n")
                         .arg(counts.styles)
                         .arg(counts.instances)
                         .arg(counts.deviceTypes)
                         .arg(counts.complexTypes)
                         .arg(counts.redirections));
    } else {
        QString text;
        for (const Problem &problem : problems)
            text += problem.kind + QStringLiteral(": ") + problem.message + QLatin1Char('\n');
        text += QStringLiteral("%1 problem(s) found\n").arg(problems.size());
        writeOut(text);
    }
    return problems.isEmpty() ? ExitOk : ExitProblem;
}

} // namespace vrexctl
