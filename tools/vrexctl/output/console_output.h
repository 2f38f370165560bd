// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// stdout carries results, stderr errors (and, with -v, diagnostics).
#ifndef VREXCTL_OUTPUT_CONSOLE_OUTPUT_H
#define VREXCTL_OUTPUT_CONSOLE_OUTPUT_H

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace vrexctl {

void writeOut(const QString &text);
void writeOut(const QByteArray &utf8);
void writeErr(const QString &text);
void writeErr(const QByteArray &utf8);

// Why a write to stdout or stderr failed (a full disk, a closed pipe with
// SIGPIPE ignored); empty while every write succeeded.
QString outputFailure();

// "vrexctl: " + message + line feed, on stderr.
void reportError(const QString &message);

} // namespace vrexctl

#endif
