// Where the library's diagnostic lines go. vrexctl's own output must stay
// parseable, so both channels are taken over: from before main() through the
// startup hook, afterwards by handlers that echo to stderr only with -v and
// hand the lines to whoever is recording them (the check).
#ifndef VREXCTL_DIAGNOSTICS_ROUTING_H
#define VREXCTL_DIAGNOSTICS_ROUTING_H

#include <QtCore/QString>
#include <QtCore/QVector>

namespace vrexctl {

struct Diagnostic
{
    enum Channel { DebugOutput, QtMessage };
    Channel channel;
    QString text; // as the library composed it
};

// Replaces the start-up buffering by the live handlers. With verbose, the
// lines buffered while the library attached are written to stderr first.
void routeDiagnostics(bool verbose);

// Collects every diagnostic line emitted while it lives. One at a time.
class DiagnosticRecorder
{
public:
    DiagnosticRecorder();
    ~DiagnosticRecorder();
    DiagnosticRecorder(const DiagnosticRecorder &) = delete;
    DiagnosticRecorder &operator=(const DiagnosticRecorder &) = delete;

    const QVector<Diagnostic> &diagnostics() const { return m_diagnostics; }

private:
    QVector<Diagnostic> m_diagnostics;
};

} // namespace vrexctl

#endif
