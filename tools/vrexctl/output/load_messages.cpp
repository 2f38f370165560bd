#include "output/load_messages.h"

#include "output/console_output.h"
#include "cli/installation_root.h"
#include "output/table_output.h"

#include <vrex_stylesheet/vrex_debug_output.h>

#include <QtCore/QtGlobal>

namespace vrexctl {

namespace {

bool g_verbose = false;
QString *g_label = nullptr;

void dropDebugOutput(const char *) { }

void dropQtMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

void emitDiagnostic(QString text)
{
    if (!g_verbose)
        return;
    // The debug-output channel carries its own line ends, the stylesheet
    // messages span lines: each becomes exactly one line here.
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    writeErr(QStringLiteral("vrexctl: ") + (g_label ? *g_label : QString()) + QStringLiteral(": ")
             + escapeControlCharacters(text) + QLatin1Char('\n'));
}

void liveDebugOutput(const char *text)
{
    emitDiagnostic(QString::fromUtf8(text));
}

void liveQtMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        // Not the library's diagnostics: never hidden.
        writeErr(text.toUtf8() + '\n');
        return;
    }
    emitDiagnostic(text);
}

} // namespace

void routeDiagnostics(bool verbose)
{
    g_verbose = verbose;
    vrex_install_debug_output_handler(&liveDebugOutput);
    qInstallMessageHandler(&liveQtMessage);
}

void setDiagnosticLabel(const QString &label)
{
    static QString storage;
    storage = label;
    g_label = &storage;
}

} // namespace vrexctl

// Called by the library right before its attach sequence, before main().
extern "C" vrex_debug_output_handler vrex_startup_debug_output_handler(void)
{
    vrexctl::setAsideStartupEnvironment();
    qInstallMessageHandler(&vrexctl::dropQtMessage);
    return &vrexctl::dropDebugOutput;
}
