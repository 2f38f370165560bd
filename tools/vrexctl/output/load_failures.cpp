// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/load_failures.h"

#include "checks/file_lint.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/table_output.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QJsonArray>

#include <algorithm>

namespace vrexctl {

LoadFailures::LoadFailures(const vrex::Installation &installation)
{
    const QString stylesheet = installation.path(vrex::layout::kStylesheetFile);
    for (const vrex::LoadProblem &problem : installation.problems()) {
        const vrex::xml::Result &result = problem.result;
        if (problem.path == stylesheet && result.status == vrex::xml::Status::WrongRoot)
            continue;
        if (std::any_of(m_failures.cbegin(), m_failures.cend(),
                        [&](const Failure &failure) { return failure.path == problem.path; }))
            continue;
        Failure failure;
        failure.path = problem.path;
        switch (result.status) {
        case vrex::xml::Status::Unreadable:
            failure.reason = QStringLiteral("cannot read it: ")
                    + (result.reason.isEmpty() ? unreadableReason(problem.path) : result.reason);
            break;
        case vrex::xml::Status::NotWellFormed:
            failure.line = result.at.line;
            failure.column = result.at.column;
            failure.reason = QStringLiteral("not well-formed XML at line %1, column %2: %3")
                                     .arg(result.at.line)
                                     .arg(result.at.column)
                                     .arg(result.reason);
            break;
        default:
            failure.line = result.at.line;
            failure.column = result.at.column;
            failure.reason = QStringLiteral("the root element '%1' is not the one the library reads")
                                     .arg(result.root);
            break;
        }
        m_failures.append(failure);
    }
}

bool LoadFailures::any(const std::function<bool(const QString &)> &matters) const
{
    return std::any_of(m_failures.cbegin(), m_failures.cend(),
                       [&](const Failure &failure) { return matters(failure.path); });
}

void LoadFailures::addTo(QJsonObject &answer) const
{
    if (m_failures.isEmpty())
        return;
    QJsonArray array;
    for (const Failure &failure : m_failures) {
        array.append(QJsonObject{{QStringLiteral("file"), failure.path},
                                 {QStringLiteral("line"), failure.line ? QJsonValue(failure.line) : QJsonValue()},
                                 {QStringLiteral("column"), failure.line ? QJsonValue(failure.column) : QJsonValue()},
                                 {QStringLiteral("reason"), failure.reason}});
    }
    answer.insert(QStringLiteral("load_failures"), array);
}

void LoadFailures::report() const
{
    for (const Failure &failure : m_failures)
        reportError(QStringLiteral("%1 could not be loaded: %2").arg(escapeControlCharacters(failure.path), failure.reason));
}

int LoadFailures::exitCode(int code, const std::function<bool(const QString &)> &matters) const
{
    return code != ExitOutput && any(matters) ? ExitIncomplete : code;
}

} // namespace vrexctl
