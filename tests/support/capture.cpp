// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "support/capture.h"

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
    : MessageCapture(g_debugOutput), m_previous(vrex_install_debug_output_handler(&recordDebugOutput))
{
}
DebugOutputCapture::~DebugOutputCapture() { vrex_install_debug_output_handler(m_previous); }

QtMessageCapture::QtMessageCapture() : MessageCapture(g_qtMessages), m_previous(qInstallMessageHandler(&recordQtMessage)) { }
QtMessageCapture::~QtMessageCapture() { qInstallMessageHandler(m_previous); }

} // namespace vrextest
