#include "diagnostics_routing.h"

#include "console_output.h"

#include <vrex_stylesheet/vrex_debug_output.h>

#include <QtCore/QByteArray>
#include <QtCore/QtGlobal>

namespace vrexctl {

namespace {

// Used before main(), when this executable's namespace-scope objects may not
// be constructed yet: function-local statics are built on first use.
QVector<Diagnostic> &startupBuffer()
{
    static QVector<Diagnostic> buffer;
    return buffer;
}

bool g_verbose = false;
QVector<Diagnostic> *g_recording = nullptr;

void bufferDebugOutput(const char *text)
{
    startupBuffer().append({Diagnostic::DebugOutput, QString::fromUtf8(text)});
}

void bufferQtMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    startupBuffer().append({Diagnostic::QtMessage, text});
}

void emitDiagnostic(const Diagnostic &diagnostic)
{
    if (g_recording)
        g_recording->append(diagnostic);
    if (g_verbose) {
        QByteArray bytes = diagnostic.text.toUtf8();
        // The debug-output channel carries its line ends in the text; a Qt
        // message is one line by definition.
        if (diagnostic.channel == Diagnostic::QtMessage)
            bytes += '\n';
        writeErr(bytes);
    }
}

void liveDebugOutput(const char *text)
{
    emitDiagnostic({Diagnostic::DebugOutput, QString::fromUtf8(text)});
}

void liveQtMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        // Not the library's diagnostics: never hidden.
        writeErr(text.toUtf8() + '\n');
        return;
    }
    emitDiagnostic({Diagnostic::QtMessage, text});
}

} // namespace

void routeDiagnostics(bool verbose)
{
    g_verbose = verbose;
    vrex_install_debug_output_handler(&liveDebugOutput);
    qInstallMessageHandler(&liveQtMessage);
    // The start-up lines describe the outer environment's installation,
    // which vrexctl then discards; they are shown, never checked.
    QVector<Diagnostic> buffered;
    buffered.swap(startupBuffer());
    if (verbose) {
        for (const Diagnostic &diagnostic : std::as_const(buffered))
            emitDiagnostic(diagnostic);
    }
}

DiagnosticRecorder::DiagnosticRecorder()
{
    Q_ASSERT(!g_recording);
    g_recording = &m_diagnostics;
}

DiagnosticRecorder::~DiagnosticRecorder()
{
    g_recording = nullptr;
}

} // namespace vrexctl

// Called by the library right before its attach sequence, before main().
// The Qt message channel is taken over here as well: device-type and
// stylesheet failures of the outer environment would otherwise reach stderr.
extern "C" vrex_debug_output_handler vrex_startup_debug_output_handler(void)
{
    qInstallMessageHandler(&vrexctl::bufferQtMessage);
    return &vrexctl::bufferDebugOutput;
}
