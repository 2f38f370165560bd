// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The check's findings in the forms CI systems read: SARIF 2.1.0 (code
// scanning), workflow-command lines (annotations in the job log) and the
// Code Quality JSON of merge requests.
#ifndef VREXCTL_OUTPUT_CI_FORMATS_H
#define VREXCTL_OUTPUT_CI_FORMATS_H

#include "checks/check_run.h"

namespace vrexctl {

struct ReportContext;

// format: sarif, github or gitlab. SARIF locations are relative to the
// installation root (uriBaseId ROOT) and carry every finding, suppressed
// ones with their suppression; the other two carry the active findings,
// with paths relative to the current directory, where CI runs.
void writeCiFormat(const QString &format, const CheckRun &run, const ReportContext &context);

} // namespace vrexctl

#endif
