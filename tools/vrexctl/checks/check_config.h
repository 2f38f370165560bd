// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The check's configuration: ROOT/SYSTEM/.vrexctl.ini, or the file named by
// --config. INI as QSettings writes it:
//
//   [check]     disable = CODE, ...   fail-on = error|warning   baseline = FILE
//   [severity]  CODE = error|warning|note|off
//   [paths]     exclude = PATTERN, ...   (below ROOT/SYSTEM; * and ? stay within a name)
//
// Read by hand rather than through QSettings, so that a mistake in it is a
// finding with its line and column.
#ifndef VREXCTL_CHECKS_CHECK_CONFIG_H
#define VREXCTL_CHECKS_CHECK_CONFIG_H

#include "checks/finding.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>

#include <optional>

namespace vrexctl {

struct CheckConfig
{
    QString file; // the file read; empty when there is none
    QSet<QString> disabled;
    QHash<QString, std::optional<Finding::Severity>> severities; // no value: off
    std::optional<bool> failOnErrorOnly;
    QString baseline; // resolved against the file's directory
    QList<QRegularExpression> excluded; // patterns
    QList<Finding> problems; // bad-config, in the file's order

    // The severity code has under this configuration; none when it is off
    // or disabled.
    std::optional<Finding::Severity> severity(const QString &code, Finding::Severity reported) const;
    // relative: a path below ROOT/SYSTEM. A pattern that matches one of its
    // directories excludes it too.
    bool isExcluded(const QString &relative) const;
};

// The configuration in path. A file that does not exist is an empty
// configuration unless required; one that cannot be read is a bad-config
// finding.
CheckConfig readCheckConfig(const QString &path, bool required);
// The configuration's file below an installation's configuration root.
inline constexpr QLatin1StringView kCheckConfigFile(".vrexctl.ini");

} // namespace vrexctl

#endif
