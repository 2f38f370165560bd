#include "support/capture.h"

#include <utility>

namespace vrextest {

namespace {
QStringList g_debugOutput;
QStringList g_qtMessages;

void recordDebugOutput(const char *text) { g_debugOutput.append(QString::fromUtf8(text)); }

void recordQtMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg)
        g_qtMessages.append(text);
}
} // namespace

DebugOutputCapture::DebugOutputCapture()
    : m_previous(vrex_install_debug_output_handler(&recordDebugOutput)), m_saved(std::exchange(g_debugOutput, {}))
{
}
DebugOutputCapture::~DebugOutputCapture()
{
    vrex_install_debug_output_handler(m_previous);
    g_debugOutput = m_saved;
}
QStringList DebugOutputCapture::messages() const { return g_debugOutput; }
void DebugOutputCapture::clear() { g_debugOutput.clear(); }

QtMessageCapture::QtMessageCapture()
    : m_previous(qInstallMessageHandler(&recordQtMessage)), m_saved(std::exchange(g_qtMessages, {}))
{
}
QtMessageCapture::~QtMessageCapture()
{
    qInstallMessageHandler(m_previous);
    g_qtMessages = m_saved;
}
QStringList QtMessageCapture::messages() const { return g_qtMessages; }
void QtMessageCapture::clear() { g_qtMessages.clear(); }

} // namespace vrextest
