// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The files a command read that the library did not take whole. dump,
// lookup, styles and names answer from what did load; they name each such
// file on stderr, once, with the reason, and exit with ExitIncomplete when
// their answer depends on one (README: exit status).
#ifndef VREXCTL_OUTPUT_LOAD_FAILURES_H
#define VREXCTL_OUTPUT_LOAD_FAILURES_H

#include <QtCore/QJsonObject>
#include <QtCore/QList>
#include <QtCore/QString>

#include <functional>

namespace vrex {
class Installation;
struct LoadProblem;
}

namespace vrexctl {

struct Invocation;

class LoadFailures
{
public:
    // The failures of installation's loads so far; a stylesheet with
    // another root element is read all the same and is none.
    explicit LoadFailures(const vrex::Installation &installation);

    bool isEmpty() const { return m_failures.isEmpty(); }
    // Whether one of the failed files is one that matters for the answer.
    bool any(const std::function<bool(const QString &path)> &matters) const;
    // Adds "load_failures": [{"file", "line", "column", "reason"}, ...]
    // to a JSON answer when there are any.
    void addTo(QJsonObject &answer) const;
    // "vrexctl: PATH could not be loaded: REASON" per file, on stderr.
    void report() const;

    // The exit code for an answer that would otherwise exit with code:
    // ExitIncomplete when a file that matters failed.
    int exitCode(int code, const std::function<bool(const QString &path)> &matters) const;

private:
    struct Failure
    {
        QString path;
        qint64 line = 0;
        qint64 column = 0;
        QString reason;
    };
    QList<Failure> m_failures;
};

} // namespace vrexctl

#endif
