// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl lsp: the language server on stdin and stdout, until the client
// says exit or closes stdin.
#include "commands/commands.h"

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/installation_root.h"
#include "lsp/language_server.h"
#include "output/console_output.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <unistd.h>

namespace vrexctl {

namespace {

// Everything or nothing: a client reads whole messages.
bool writeAll(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

int runLsp(const Invocation &invocation)
{
    // A client that goes away shows as a failed write, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);
    bool clientGone = false;
    lsp::LanguageServer server([&clientGone](const QByteArray &bytes) {
        if (!clientGone && !writeAll(bytes)) {
            clientGone = true;
            QCoreApplication::exit(ExitProblem);
        }
    });
    if (invocation.rootSet || invocation.systemSet) {
        const InstallationRoot where = installationRoot(invocation);
        const QString missing = missingInstallation(where);
        if (!missing.isEmpty()) {
            reportError(missing);
            return ExitNoInstallation;
        }
        server.setConfigRoot(where.configRoot());
    }
    QObject::connect(&server, &lsp::LanguageServer::exited, &server,
                     [](int code) { QCoreApplication::exit(code); });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &server, [&server, &input] {
        QByteArray buffer(1 << 20, Qt::Uninitialized);
        const ssize_t n = ::read(STDIN_FILENO, buffer.data(), size_t(buffer.size()));
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        if (n <= 0) {
            // The client is gone without "exit": as the protocol has it
            // for an exit without shutdown.
            input.setEnabled(false);
            QCoreApplication::exit(ExitProblem);
            return;
        }
        buffer.truncate(n);
        server.receive(buffer);
    });
    return QCoreApplication::exec();
}

} // namespace vrexctl
