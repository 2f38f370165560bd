// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/console_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vrexctl {

namespace {

int g_outputErrno = 0; // the first failed write's

void write(std::FILE *stream, const QByteArray &bytes)
{
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    // Flushed per write so stdout and stderr interleave in order when both
    // go to one terminal or log.
    if ((std::fflush(stream) != 0 || written != size_t(bytes.size())) && g_outputErrno == 0)
        g_outputErrno = errno ? errno : EIO;
}

} // namespace

QString outputFailure()
{
    return g_outputErrno ? QString::fromLocal8Bit(std::strerror(g_outputErrno)) : QString();
}

void writeOut(const QString &text) { write(stdout, text.toUtf8()); }
void writeOut(const QByteArray &utf8) { write(stdout, utf8); }
void writeErr(const QString &text) { write(stderr, text.toUtf8()); }
void writeErr(const QByteArray &utf8) { write(stderr, utf8); }

void reportError(const QString &message)
{
    writeErr(QStringLiteral("vrexctl: ") + message + QLatin1Char('\n'));
}

} // namespace vrexctl
