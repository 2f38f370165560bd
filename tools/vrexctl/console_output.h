// stdout carries results, stderr errors (and, with -v, diagnostics).
#ifndef VREXCTL_CONSOLE_OUTPUT_H
#define VREXCTL_CONSOLE_OUTPUT_H

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace vrexctl {

void writeOut(const QString &text);
void writeOut(const QByteArray &utf8);
void writeErr(const QString &text);
void writeErr(const QByteArray &utf8);

// "vrexctl: " + message + line feed, on stderr.
void reportError(const QString &message);

} // namespace vrexctl

#endif
