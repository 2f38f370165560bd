// Captures of the two diagnostic channels for the duration of a scope; a
// capture opened inside another starts empty and hands back to it.
#ifndef VREX_TESTS_CAPTURE_H
#define VREX_TESTS_CAPTURE_H

#include <vrex_stylesheet/vrex_debug_output.h>

#include <QtCore/QStringList>
#include <QtCore/QtGlobal>

namespace vrextest {

// Everything written to the debug-output channel, one entry per message.
class DebugOutputCapture
{
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    Q_DISABLE_COPY(DebugOutputCapture)
    QStringList messages() const;
    void clear();

private:
    vrex_debug_output_handler m_previous;
    QStringList m_saved;
};

// Every debug-level Qt message, one entry per message, text exactly as sent.
class QtMessageCapture
{
public:
    QtMessageCapture();
    ~QtMessageCapture();
    Q_DISABLE_COPY(QtMessageCapture)
    QStringList messages() const;
    void clear();

private:
    QtMessageHandler m_previous;
    QStringList m_saved;
};

} // namespace vrextest

#endif
