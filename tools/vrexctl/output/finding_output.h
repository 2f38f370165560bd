// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// How the check's findings are written: one line per finding in the form
// compilers use (PATH:LINE:COLUMN: SEVERITY: MESSAGE [CODE]), or one JSON
// document; the summary goes to stderr.
#ifndef VREXCTL_OUTPUT_FINDING_OUTPUT_H
#define VREXCTL_OUTPUT_FINDING_OUTPUT_H

#include "checks/check_run.h"
#include "checks/finding.h"
#include "checks/registry_checks.h"

#include <QtCore/QJsonObject>

namespace vrexctl {

struct Invocation;

// The JSON form of one finding, shared with the other commands' answers.
QJsonObject findingJson(const Finding &finding);

// Where the check's findings are: for the paths of the outputs.
struct ReportContext
{
    QString root;            // the installation root
    QString baselineFile;    // the baseline in use, if any
    bool failOnErrorOnly = false;
};

// Writes findings (all of them counted, at most invocation.maxProblems
// listed) and returns the exit code they call for.
int writeFindings(const Invocation &invocation, const QList<Finding> &findings, const RegistryCounts &counts);

// The exit code run's active findings call for.
int exitCodeOf(const CheckRun &run, bool failOnErrorOnly);

// Writes run in invocation's format with its summary on stderr; returns the
// exit code its active findings call for.
int writeReport(const Invocation &invocation, const CheckRun &run, const ReportContext &context);

} // namespace vrexctl

#endif
