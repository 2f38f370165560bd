// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Runs a program as a child process with a controlled environment and
// collects what it wrote.
#ifndef VREX_TESTS_CHILD_PROCESS_H
#define VREX_TESTS_CHILD_PROCESS_H

#include <QtCore/QByteArray>
#include <QtCore/QProcessEnvironment>
#include <QtCore/QStringList>

namespace vrextest {

struct ChildResult
{
    bool finished = false; // false: did not start, crashed or timed out
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// This process's environment with Qt messages forced to stderr as their
// bare text, and ZT_ROOT and ZT_SYSTEM set to root and system (unset when
// root is null).
QProcessEnvironment cleanChildEnvironment(const QString &root = {}, const QString &system = {});

// A child that runs longer than timeoutMs is killed and counts as not
// finished. It starts in workingDirectory, or in this process's.
ChildResult runChild(const QString &program, const QStringList &arguments,
                     const QProcessEnvironment &environment, int timeoutMs = 60000,
                     const QString &workingDirectory = {});

} // namespace vrextest

#endif
