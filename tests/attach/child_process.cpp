// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "child_process.h"

#include <QtCore/QProcess>

namespace vrextest {

QProcessEnvironment cleanChildEnvironment(const QString &root, const QString &system)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("ZT_ROOT"));
    environment.remove(QStringLiteral("ZT_SYSTEM"));
    if (!root.isNull()) {
        environment.insert(QStringLiteral("ZT_ROOT"), root);
        environment.insert(QStringLiteral("ZT_SYSTEM"), system);
    }
    // Without these, Qt may send messages to the journal or decorate them.
    environment.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{message}"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    return environment;
}

ChildResult runChild(const QString &program, const QStringList &arguments,
                     const QProcessEnvironment &environment, int timeoutMs, const QString &workingDirectory)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    ChildResult result;
    if (!process.waitForStarted(10000))
        return result;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace vrextest
