// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "graph/graphviz.h"

#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>

namespace vrexctl {

Drawing drawWithGraphviz(const QByteArray &dot, const QString &format)
{
    Drawing drawing;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dot"));
    if (program.isEmpty()) {
        drawing.error = QStringLiteral("--format=%1 needs Graphviz's dot program, which is not installed "
                                       "(Debian: apt install graphviz); --format=dot writes the graph without it")
                                .arg(format);
        return drawing;
    }
    QProcess process;
    process.start(program, {QStringLiteral("-T") + format});
    if (!process.waitForStarted(-1)) {
        drawing.error = QStringLiteral("cannot run %1: %2").arg(program, process.errorString());
        return drawing;
    }
    process.write(dot);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    const QByteArray errors = process.readAllStandardError().trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        drawing.error = QStringLiteral("%1 failed: %2").arg(program, QString::fromUtf8(errors));
        return drawing;
    }
    drawing.bytes = process.readAllStandardOutput();
    return drawing;
}

} // namespace vrexctl
