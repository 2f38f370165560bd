// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// A name the installation does not know, asked for on the command line.
#ifndef VREXCTL_OUTPUT_UNKNOWN_NAME_H
#define VREXCTL_OUTPUT_UNKNOWN_NAME_H

#include <QtCore/QJsonObject>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

struct Invocation;

// Says that there is no kind called name, with the suggestions when there
// are any, on stderr and, with --json, as answer (plus "error" and
// "suggestion") on stdout. Returns the exit code for it.
int reportUnknownName(const Invocation &invocation, const QString &kind, const QString &name,
                      const QStringList &suggestions, QJsonObject answer);

} // namespace vrexctl

#endif
