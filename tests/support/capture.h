// Captures of the two diagnostic channels for the duration of a scope.
#ifndef VREX_TESTS_CAPTURE_H
#define VREX_TESTS_CAPTURE_H

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrextest {

// Everything written to the debug-output channel, one entry per message.
class DebugOutputCapture
{
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture &) = delete;
    DebugOutputCapture &operator=(const DebugOutputCapture &) = delete;

    QStringList messages() const;
    void clear();
};

// Every debug-level Qt message, one entry per message, text exactly as sent.
class QtMessageCapture
{
public:
    QtMessageCapture();
    ~QtMessageCapture();
    QtMessageCapture(const QtMessageCapture &) = delete;
    QtMessageCapture &operator=(const QtMessageCapture &) = delete;

    QStringList messages() const;
    void clear();
};

} // namespace vrextest

#endif
