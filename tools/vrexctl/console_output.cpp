#include "console_output.h"

#include <cstdio>

namespace vrexctl {

namespace {

void write(std::FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    // Flushed per write so stdout and stderr interleave in order when both
    // go to one terminal or log.
    std::fflush(stream);
}

} // namespace

void writeOut(const QString &text) { write(stdout, text.toUtf8()); }
void writeOut(const QByteArray &utf8) { write(stdout, utf8); }
void writeErr(const QString &text) { write(stderr, text.toUtf8()); }
void writeErr(const QByteArray &utf8) { write(stderr, utf8); }

void reportError(const QString &message)
{
    writeErr(QStringLiteral("vrexctl: ") + message + QLatin1Char('\n'));
}

} // namespace vrexctl
