// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Every code the check reports, documented once. `vrexctl explain`,
// `vrexctl help codes`, the SARIF rule metadata, and (through
// scripts/rule-docs, kept equal by a test) the README's table and the man
// page's list are all made from this table.
#ifndef VREXCTL_CHECKS_RULES_H
#define VREXCTL_CHECKS_RULES_H

#include "checks/finding.h"

#include <QtCore/QJsonObject>
#include <QtCore/QString>

namespace vrexctl {

// Texts may hold `code spans`; each output renders them its own way.
struct Rule
{
    const char *code;
    Finding::Severity severity;
    const char *severityNote; // where the severity differs, or ""
    const char *summary;      // one line: what is found
    const char *meaning;      // what it means
    const char *library;      // what the library does in that case
    const char *example;
    const char *fix;
    const char *autoFix;      // what check --fix changes, or "" when it changes nothing
};

// In the order the README lists them: what stops the load, what will not
// resolve, what the library reads silently otherwise, then the check's own.
const Rule *rulesBegin();
const Rule *rulesEnd();
const Rule *findRule(QStringView code);
QStringList ruleCodes();

// "error", or "error (warning for the stylesheet)".
QString severityText(const Rule &rule);
// The texts without their code-span marks.
QString plainText(const char *text);

// explain CODE, help codes and their JSON.
QString explainText(const Rule &rule);
QString codesText();
QJsonObject ruleJson(const Rule &rule);

} // namespace vrexctl

#endif
