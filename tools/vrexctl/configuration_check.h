// What makes an installation's configuration unusable for its hosts, found
// from the loaded registries and the library's load diagnostics.
#ifndef VREXCTL_CONFIGURATION_CHECK_H
#define VREXCTL_CONFIGURATION_CHECK_H

#include "diagnostics_routing.h"

#include <QtCore/QString>
#include <QtCore/QVector>

namespace vrexctl {

struct Problem
{
    QString kind;    // loader, device-type, group, complex-type, redirection, cycle, unresolved
    QString message; // one line
};

struct RegistryCounts
{
    int styles = 0;
    int instances = 0;
    int deviceTypes = 0;
    int complexTypes = 0;
    int redirections = 0;
};

RegistryCounts countRegistries();

// Problems in a stable order: loader messages as emitted, then per registry
// in key order. Each problem is reported once, also when several
// redirection chains lead to it.
QVector<Problem> findProblems(const QVector<Diagnostic> &loadDiagnostics);

} // namespace vrexctl

#endif
