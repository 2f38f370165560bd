#include "support/capture.h"

#include <vrex_stylesheet/vrex_debug_output.h>

#include <QtCore/QtGlobal>

namespace vrextest {

namespace {
QStringList g_debugOutput;
vrex_debug_output_handler g_previousDebugHandler = nullptr;
QStringList g_qtMessages;
QtMessageHandler g_previousQtHandler = nullptr;

void recordDebugOutput(const char *text)
{
    g_debugOutput.append(QString::fromUtf8(text));
}

void recordQtMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg)
        g_qtMessages.append(text);
}
} // namespace

DebugOutputCapture::DebugOutputCapture()
{
    g_debugOutput.clear();
    g_previousDebugHandler = vrex_install_debug_output_handler(&recordDebugOutput);
}

DebugOutputCapture::~DebugOutputCapture()
{
    vrex_install_debug_output_handler(g_previousDebugHandler);
}

QStringList DebugOutputCapture::messages() const { return g_debugOutput; }
void DebugOutputCapture::clear() { g_debugOutput.clear(); }

QtMessageCapture::QtMessageCapture()
{
    g_qtMessages.clear();
    g_previousQtHandler = qInstallMessageHandler(&recordQtMessage);
}

QtMessageCapture::~QtMessageCapture()
{
    qInstallMessageHandler(g_previousQtHandler);
}

QStringList QtMessageCapture::messages() const { return g_qtMessages; }
void QtMessageCapture::clear() { g_qtMessages.clear(); }

} // namespace vrextest
